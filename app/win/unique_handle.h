#pragma once
// A kernel handle (file, mutex, process), closed when the object goes. Files report failure with
// INVALID_HANDLE_VALUE and most other objects with nullptr: both count as no handle.

#include <windows.h>

#include <utility>

class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle)
        : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }

    explicit operator bool() const { return handle_ != nullptr; }
    HANDLE Get() const { return handle_; }

    void Reset() {
        if (handle_ != nullptr)
            CloseHandle(std::exchange(handle_, nullptr));
    }

  private:
    HANDLE handle_ = nullptr;
};
