#include "launcher/win/directx81.h"

#include "base/win/loaded_library.h"

namespace {

using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);

constexpr WindowsVersion kWindowsXp = {5, 1};

bool AtLeast(WindowsVersion version, WindowsVersion least) {
    return version.major != least.major ? version.major > least.major
                                        : version.minor >= least.minor;
}

}  // namespace

std::optional<WindowsVersion> RunningWindowsVersion() {
    // Loaded in every process already: the handle needs no freeing.
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr)
        return std::nullopt;
    // Through the generic function pointer type: the real signature is named here.
    const auto getVersion = reinterpret_cast<RtlGetVersionFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(ntdll, "RtlGetVersion")));
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (getVersion == nullptr || getVersion(&info) != 0)  // STATUS_SUCCESS
        return std::nullopt;
    return WindowsVersion{info.dwMajorVersion, info.dwMinorVersion};
}

bool DirectX81Present(std::optional<WindowsVersion> version, const wchar_t* helperLibrary) {
    if (version && AtLeast(*version, kWindowsXp))
        return true;
    return static_cast<bool>(LoadedLibrary(helperLibrary));
}
