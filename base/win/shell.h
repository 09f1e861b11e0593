#pragma once
// Programs, documents and web addresses started through the shell: ShellExecuteA with the verb
// "open", as the launcher's buttons and the setup tool started without a mode start them.
//
// shell32.dll and COM (ole32.dll) are loaded by the first start rather than linked: no setup
// dialog ever starts anything, and the launcher's window is painted long before its first
// button is pressed, so neither program spends its start-up loading them.

#include <windows.h>

#include <cstdint>

#include "base/win/loaded_library.h"

class Shell {
  public:
    Shell() = default;
    // Ends COM on this thread when the first start began it.
    ~Shell();
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    // ShellExecuteA(owner, "open", file, parameters, no folder, SW_SHOWDEFAULT), `parameters`
    // null for none; answers its result, above 32 for a successful start.
    // SE_ERR_DLLNOTFOUND when the shell cannot be loaded.
    std::intptr_t Open(HWND owner, const char* file, const char* parameters);

  private:
    using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND owner, const char* verb, const char* file,
                                                    const char* parameters, const char* folder,
                                                    INT show);

    // Loads both libraries and begins COM once; false when ShellExecuteA cannot be found.
    bool Load();

    LoadedLibrary ole32_;
    bool comBegun_ = false;
    LoadedLibrary shell32_;
    ShellExecuteFunction execute_ = nullptr;
};
