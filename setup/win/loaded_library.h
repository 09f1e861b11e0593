#pragma once
// A DLL loaded at run time, freed when the object goes. Whatever was made from the library's code
// (a COM object, a function pointer) must be gone before it.

#include <windows.h>

#include <type_traits>
#include <utility>

class LoadedLibrary {
  public:
    LoadedLibrary() = default;
    explicit LoadedLibrary(const wchar_t* name) : module_(LoadLibraryW(name)) {}
    ~LoadedLibrary() { Reset(); }
    LoadedLibrary(LoadedLibrary&& other) noexcept
        : module_(std::exchange(other.module_, nullptr)) {}
    LoadedLibrary& operator=(LoadedLibrary&& other) noexcept {
        if (this != &other) {
            Reset();
            module_ = std::exchange(other.module_, nullptr);
        }
        return *this;
    }

    explicit operator bool() const { return module_ != nullptr; }

    // The exported function `name` as a `Function` pointer; nullptr when the library has none.
    template <class Function>
    requires std::is_pointer_v<Function> && std::is_function_v<std::remove_pointer_t<Function>>
        Function Find(const char* name)
    const {
        if (module_ == nullptr)
            return nullptr;
        const FARPROC address = GetProcAddress(module_, name);
        // Through the generic function pointer type: the caller names the real signature.
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
    }

    void Reset() {
        if (module_ != nullptr)
            FreeLibrary(std::exchange(module_, nullptr));
    }

  private:
    HMODULE module_ = nullptr;
};
