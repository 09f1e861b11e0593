#pragma once
// Owners of GDI objects and device contexts, and guards that put a device context back the way
// they found it: each gives its object back when it goes.

#include <windows.h>

#include "base/win/owned_handle.h"

inline void DeleteMemoryDc(HDC dc) {
    DeleteDC(dc);
}
inline void DeleteGdiObject(HGDIOBJ object) {
    DeleteObject(object);
}

// A device context of CreateCompatibleDC.
using MemoryDc = OwnedHandle<HDC, DeleteMemoryDc>;
// A pen, brush, font or bitmap of one's own; never a stock object.
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

// Saves a device context's whole state and puts it back, whatever the drawing changed.
class SavedDcState {
  public:
    explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDcState() {
        if (saved_ != 0)
            RestoreDC(dc_, saved_);
    }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;

  private:
    HDC dc_;
    int saved_;
};
