#pragma once
// Whether DirectX 8.1 is installed, which the game and the setup dialogs need. Every Windows from
// XP on includes it. On an older one it is there when the DirectPlay NAT helper, which came with
// DirectX 8.1, loads. The helper alone will not do on a current Windows: DirectPlay is an optional
// feature there since Windows 8, missing on most machines that have every part of DirectX the
// game uses.

#include <windows.h>

#include <optional>

struct WindowsVersion {
    DWORD major = 0;
    DWORD minor = 0;
};

// The version of Windows as the kernel reports it (RtlGetVersion of ntdll.dll, looked up at run
// time), which no compatibility mode alters, unlike GetVersionEx; none where ntdll.dll lacks it.
std::optional<WindowsVersion> RunningWindowsVersion();

// Whether DirectX 8.1 is there on Windows `version` (none: not known), `helperLibrary` being
// the DirectPlay NAT helper's file name.
bool DirectX81Present(std::optional<WindowsVersion> version,
                      const wchar_t* helperLibrary = L"dpnhpast.dll");
