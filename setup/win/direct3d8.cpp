#include "setup/win/direct3d8.h"

#include <cstring>
#include <utility>

#include "settings/win/guid_win.h"

namespace {

using Direct3DCreate8Function = IDirect3D8*(WINAPI*)(UINT sdkVersion);

// The identifier record's texts are fixed arrays; a driver that fills one to the end leaves no
// terminator, so the text ends at the array's end at the latest.
template <std::size_t N>
std::wstring WideFromAnsi(const char (&text)[N]) {
    const int length = static_cast<int>(strnlen(text, N));
    if (length == 0)
        return {};
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    if (wideLength <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), wideLength);
    return wide;
}

}  // namespace

bool Direct3D8::Create() {
    Release();
    LoadedLibrary library(L"d3d8.dll");
    const auto create = library.Find<Direct3DCreate8Function>("Direct3DCreate8");
    if (create == nullptr)
        return false;
    IDirect3D8* const object = create(D3D_SDK_VERSION);
    if (object == nullptr)
        return false;
    library_ = std::move(library);
    object_.Attach(object);
    return true;
}

void Direct3D8::Release() {
    object_.Reset();
    library_.Reset();
}

std::vector<Direct3DAdapter> Direct3D8::Adapters() const {
    std::vector<Direct3DAdapter> adapters;
    if (!object_)
        return adapters;
    const UINT count = object_->GetAdapterCount();
    for (UINT ordinal = 0; ordinal < count; ++ordinal) {
        D3DADAPTER_IDENTIFIER8 identifier = {};
        // Without the driver's signature check (WHQLLevel, which the dialog never shows): on
        // Windows it can take a second or two per adapter. An adapter Direct3D cannot describe
        // has no name to list and no GUID to store.
        if (FAILED(object_->GetAdapterIdentifier(ordinal, D3DENUM_NO_WHQL_LEVEL, &identifier)))
            continue;
        adapters.push_back({ordinal, WideFromAnsi(identifier.Description),
                            FromWindowsGuid(identifier.DeviceIdentifier)});
    }
    return adapters;
}

std::vector<AdapterMode> Direct3D8::Modes(UINT adapter) const {
    std::vector<AdapterMode> modes;
    if (!object_)
        return modes;
    const UINT count = object_->GetAdapterModeCount(adapter);
    for (UINT index = 0; index < count; ++index) {
        D3DDISPLAYMODE mode = {};
        if (FAILED(object_->EnumAdapterModes(adapter, index, &mode)))
            continue;
        modes.push_back({mode.Width, mode.Height, static_cast<int>(mode.Format)});
    }
    return modes;
}

bool Direct3D8::DepthWorks(UINT adapter, int modeFormat, DepthFormat candidate) const {
    if (!object_)
        return false;
    return SUCCEEDED(object_->CheckDeviceFormat(
        adapter, D3DDEVTYPE_HAL, static_cast<D3DFORMAT>(modeFormat), D3DUSAGE_DEPTHSTENCIL,
        D3DRTYPE_SURFACE, static_cast<D3DFORMAT>(candidate)));
}

DepthCheck Direct3D8::DepthCheckFor(UINT adapter) const {
    return [this, adapter](int modeFormat, DepthFormat candidate) {
        return DepthWorks(adapter, modeFormat, candidate);
    };
}
