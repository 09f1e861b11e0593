#pragma once
// Owners of the Windows handles the driver opens: each is released when its owner goes.

#include <windows.h>

#include <utility>

// A handle released by `Release`; null stands for "none" (files are converted from
// INVALID_HANDLE_VALUE where they are opened).
template <typename Handle, auto Release>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
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
    Handle Get() const { return handle_; }
    // For functions that return the handle through a pointer.
    Handle* Receive() {
        Reset();
        return &handle_;
    }

  private:
    void Reset() {
        if (handle_ != nullptr)
            Release(std::exchange(handle_, nullptr));
    }

    Handle handle_ = nullptr;
};

inline void CloseFile(HANDLE file) {
    CloseHandle(file);
}
inline void CloseKey(HKEY key) {
    RegCloseKey(key);
}
inline void DeleteMemoryDc(HDC dc) {
    DeleteDC(dc);
}
inline void DeleteGdiObject(HGDIOBJ object) {
    DeleteObject(object);
}

using FileHandle = UniqueHandle<HANDLE, CloseFile>;
using RegistryKeyHandle = UniqueHandle<HKEY, CloseKey>;
using MemoryDc = UniqueHandle<HDC, DeleteMemoryDc>;
using GdiObject = UniqueHandle<HGDIOBJ, DeleteGdiObject>;

// The screen's device context, from GetDC(nullptr) until ReleaseDC.
class ScreenDc {
  public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_ != nullptr)
            ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;

    explicit operator bool() const { return dc_ != nullptr; }
    HDC Get() const { return dc_; }

  private:
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ != nullptr)
            SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};
