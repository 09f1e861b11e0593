#include "setup/win/direct_sound_library.h"

bool DirectSoundLibrary::Load() {
    enumerate_ = nullptr;
    create_ = nullptr;
    library_ = LoadedLibrary(L"dsound.dll");
    const auto enumerate = library_.Find<EnumerateFunction>("DirectSoundEnumerateW");
    const auto create = library_.Find<CreateFunction>("DirectSoundCreate");
    if (enumerate == nullptr || create == nullptr) {
        library_.Reset();
        return false;
    }
    enumerate_ = enumerate;
    create_ = create;
    return true;
}

HRESULT DirectSoundLibrary::Enumerate(LPDSENUMCALLBACKW callback, void* context) const {
    return enumerate_ != nullptr ? enumerate_(callback, context) : DSERR_NODRIVER;
}

HRESULT DirectSoundLibrary::Create(const GUID* device,
                                   Microsoft::WRL::ComPtr<IDirectSound>& directSound) const {
    if (create_ == nullptr)
        return DSERR_NODRIVER;
    return create_(device, directSound.ReleaseAndGetAddressOf(), nullptr);
}
