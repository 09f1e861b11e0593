#include "setup/win/direct_sound_library.h"

#include "base/win/catch_to_result.h"
#include "settings/win/guid_win.h"

namespace {

struct Listing {
    std::vector<SoundDevice>& devices;
    HRESULT result = S_OK;
};

// DirectSound calls this from its own C code: nothing may unwind through it.
BOOL CALLBACK CollectDevice(GUID* guid, const wchar_t* description, const wchar_t*,
                            void* context) noexcept {
    auto& listing = *static_cast<Listing*>(context);
    listing.result = CatchToResult([&] {
        listing.devices.push_back(
            {guid != nullptr ? std::optional(FromWindowsGuid(*guid)) : std::nullopt,
             description != nullptr ? description : L""});
    });
    // Every device is looked at; once one could not be kept, the listing has failed.
    return SUCCEEDED(listing.result) ? TRUE : FALSE;
}

}  // namespace

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

HRESULT DirectSoundLibrary::Enumerate(std::vector<SoundDevice>& devices) const {
    devices.clear();
    if (enumerate_ == nullptr)
        return DSERR_NODRIVER;
    Listing listing = {devices};
    HRESULT result = enumerate_(CollectDevice, &listing);
    // A device that could not be kept stopped the enumeration, which DirectSound answers as a
    // success.
    if (SUCCEEDED(result))
        result = listing.result;
    if (FAILED(result))
        devices.clear();
    return result;
}

HRESULT DirectSoundLibrary::Create(const GUID* device,
                                   Microsoft::WRL::ComPtr<IDirectSound>& directSound) const {
    if (create_ == nullptr)
        return DSERR_NODRIVER;
    return create_(device, directSound.ReleaseAndGetAddressOf(), nullptr);
}
