#pragma once
// An open registry key, closed when the object goes.

#include <windows.h>

#include <utility>

class RegistryKey {
  public:
    RegistryKey() = default;
    ~RegistryKey() { Close(); }
    RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        if (this != &other) {
            Close();
            key_ = std::exchange(other.key_, nullptr);
        }
        return *this;
    }

    // Opens `path` under HKEY_LOCAL_MACHINE for reading. The game's installer is a 32-bit program,
    // so its keys live in the 32-bit view of the registry; both builds of the tool read that view.
    static RegistryKey OpenForReading(const char* path) {
        RegistryKey key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | KEY_WOW64_32KEY, &key.key_) !=
            ERROR_SUCCESS) {
            key.key_ = nullptr;
        }
        return key;
    }

    explicit operator bool() const { return key_ != nullptr; }
    HKEY Get() const { return key_; }

  private:
    void Close() {
        if (key_ != nullptr)
            RegCloseKey(std::exchange(key_, nullptr));
    }

    HKEY key_ = nullptr;
};
