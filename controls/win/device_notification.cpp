#include "controls/win/device_notification.h"

#include <dbt.h>

// GUID_DEVINTERFACE_HID is defined here, in the one file that uses it: initguid.h first.
#include <initguid.h>

#include <hidclass.h>

DeviceNotification RegisterHidNotification(HWND window) {
    DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = GUID_DEVINTERFACE_HID;
    return DeviceNotification(
        RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
}
