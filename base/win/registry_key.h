#pragma once
// An open registry key, closed when the object goes.

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

#include "base/win/owned_handle.h"

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

// Reads a string value of at most `capacity` bytes (terminator included) from an open key.
// Nothing when the value is missing, is not a string, does not fit, or holds no terminator: such
// a value is treated as unreadable rather than read past its end.
std::optional<std::string> ReadRegistryText(const RegistryKey& key, const char* name,
                                            std::size_t capacity);
