#pragma once
// An open registry key, closed when the object goes.

#include <windows.h>

#include "app/win/owned_handle.h"

inline void CloseRegistryKey(HKEY key) {
    RegCloseKey(key);
}

class RegistryKey : public OwnedHandle<HKEY, CloseRegistryKey> {
  public:
    // Opens `path` under HKEY_LOCAL_MACHINE for reading. The game's installer is a 32-bit program,
    // so its keys live in the 32-bit view of the registry; both builds of the tool read that view.
    static RegistryKey OpenForReading(const char* path) {
        RegistryKey key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | KEY_WOW64_32KEY, key.Receive()) !=
            ERROR_SUCCESS) {
            key.Reset();
        }
        return key;
    }
};
