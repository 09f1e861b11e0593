#pragma once
// Owners of the Windows handles the driver opens: each is released when its owner goes.

#include <windows.h>

#include "app/win/owned_handle.h"
#include "app/win/registry_key.h"
#include "app/win/unique_handle.h"

inline void DeleteMemoryDc(HDC dc) {
    DeleteDC(dc);
}
inline void DeleteGdiObject(HGDIOBJ object) {
    DeleteObject(object);
}

using FileHandle = UniqueHandle;
using RegistryKeyHandle = RegistryKey;
using MemoryDc = OwnedHandle<HDC, DeleteMemoryDc>;
using GdiObject = OwnedHandle<HGDIOBJ, DeleteGdiObject>;

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
