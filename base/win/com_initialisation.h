#pragma once
// COM for the user-interface thread, for as long as the object lives: the shell's ShellExecute
// may hand a document or a web address to a COM-based handler.

#include <objbase.h>

class ComInitialisation {
  public:
    ComInitialisation()
        : initialised_(SUCCEEDED(
              CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComInitialisation() {
        if (initialised_)
            CoUninitialize();
    }
    ComInitialisation(const ComInitialisation&) = delete;
    ComInitialisation& operator=(const ComInitialisation&) = delete;

  private:
    bool initialised_;
};
