#pragma once
// Arrivals and removals of HID devices, game controllers among them, reported to a window as
// WM_DEVICECHANGE with DBT_DEVICEARRIVAL and DBT_DEVICEREMOVECOMPLETE. Only registered windows
// hear of them; DBT_DEVNODES_CHANGED reaches every top-level window anyway. The registration ends
// when the object goes, which must be before its window is destroyed.

#include <windows.h>

#include "base/win/owned_handle.h"

inline void EndDeviceNotification(HDEVNOTIFY notification) {
    UnregisterDeviceNotification(notification);
}

using DeviceNotification = OwnedHandle<HDEVNOTIFY, EndDeviceNotification>;

// Registers `window` for the arrivals and removals of HID devices. Holds nothing when the system
// refuses: the window then still hears of changes through DBT_DEVNODES_CHANGED.
DeviceNotification RegisterHidNotification(HWND window);
