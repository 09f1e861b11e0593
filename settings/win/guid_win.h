#pragma once
// The settings file stores GUIDs in the Windows memory layout, so the two convert byte for byte.

#include <windows.h>

#include <cstring>

#include "settings/settings_file.h"

static_assert(sizeof(GUID) == 16);

inline Guid FromWindowsGuid(const GUID& windowsGuid) {
    Guid guid;
    std::memcpy(guid.bytes.data(), &windowsGuid, sizeof windowsGuid);
    return guid;
}

inline GUID ToWindowsGuid(const Guid& guid) {
    GUID windowsGuid;
    std::memcpy(&windowsGuid, guid.bytes.data(), sizeof windowsGuid);
    return windowsGuid;
}
