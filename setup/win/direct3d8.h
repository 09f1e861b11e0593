#pragma once
// What Direct3D 8 reports for the graphics setup: the adapters, each adapter's display modes and
// which depth formats go with a mode. The answers are plain records, so the dialog only fills its
// lists from them and the querying can be checked on its own.
//
// d3d8.dll is loaded at run time rather than linked: not every toolchain ships an import library
// for it, and a missing DirectX must end in the dialog's own message rather than in the loader's.

#include <windows.h>
#include <d3d8.h>
#include <wrl/client.h>

#include <string>
#include <utility>
#include <vector>

#include "base/win/loaded_library.h"
#include "settings/settings_file.h"
#include "setup/display_modes.h"

// One adapter as Direct3D 8 describes it.
struct Direct3DAdapter {
    UINT ordinal = 0;          // the adapter number every other query takes
    std::wstring description;  // the driver's Description, from the system's ANSI code page
    Guid deviceIdentifier;     // what the settings file stores as displayAdapter
};

class Direct3D8 {
  public:
    Direct3D8() = default;
    // Queries an object made elsewhere (a test's stand-in) instead of one of d3d8.dll's.
    explicit Direct3D8(Microsoft::WRL::ComPtr<IDirect3D8> object) : object_(std::move(object)) {}
    ~Direct3D8() { Release(); }
    Direct3D8(const Direct3D8&) = delete;
    Direct3D8& operator=(const Direct3D8&) = delete;

    // Loads d3d8.dll and makes the Direct3D object (SDK version 220), replacing any earlier one.
    // False when the library, its Direct3DCreate8 or the object is missing.
    bool Create();
    // The object, then the library whose code it runs on.
    void Release();
    explicit operator bool() const { return object_ != nullptr; }

    // Every adapter that Direct3D can describe, in adapter order; none without an object.
    std::vector<Direct3DAdapter> Adapters() const;
    // The adapter's display modes in enumeration order (refresh rates left out, so modes that
    // differ only in it repeat); none for an unknown adapter.
    std::vector<AdapterMode> Modes(UINT adapter) const;
    // Whether the HAL device of `adapter` can use `candidate` as a depth-stencil surface with a
    // display mode of `modeFormat`.
    bool DepthWorks(UINT adapter, int modeFormat, DepthFormat candidate) const;
    // DepthWorks for one adapter, for the resolution list. It asks this object, so it must not
    // outlive it; after a Release it answers false.
    DepthCheck DepthCheckFor(UINT adapter) const;

  private:
    // Declared before the object, so that it outlives it whatever way this one ends.
    LoadedLibrary library_;
    Microsoft::WRL::ComPtr<IDirect3D8> object_;
};
