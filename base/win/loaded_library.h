#pragma once
// A DLL loaded at run time, freed when the object goes. Whatever was made from the library's code
// (a COM object, a function pointer) must be gone before it.

#include <windows.h>

#include <type_traits>

#include "base/win/owned_handle.h"

inline void ReleaseLibrary(HMODULE module) {
    FreeLibrary(module);
}

class LoadedLibrary : public OwnedHandle<HMODULE, ReleaseLibrary> {
  public:
    LoadedLibrary() = default;
    explicit LoadedLibrary(const wchar_t* name) : OwnedHandle(LoadLibraryW(name)) {}

    // The exported function `name` as a `Function` pointer; nullptr when the library has none.
    template <class Function>
    requires std::is_pointer_v<Function> && std::is_function_v<std::remove_pointer_t<Function>>
        Function Find(const char* name)
    const {
        if (!*this)
            return nullptr;
        const FARPROC address = GetProcAddress(Get(), name);
        // Through the generic function pointer type: the caller names the real signature.
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
    }
};
