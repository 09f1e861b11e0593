#pragma once
// A dialog's tooltip control. Each tool subclasses its control, so the control's mouse messages
// reach the tooltip without the dialog relaying them.

#include <windows.h>

class Tooltips {
  public:
    Tooltips() = default;
    ~Tooltips() { Destroy(); }
    Tooltips(const Tooltips&) = delete;
    Tooltips& operator=(const Tooltips&) = delete;

    // A new tooltip control owned by `dialog`, replacing any earlier one.
    void Create(HWND dialog);
    // Adds a tool for the control `id` of the dialog, with a code page 1252 text.
    void Add(int id, const char* text);
    // Gives the tool of control `id` a new code page 1252 text.
    void SetText(int id, const char* text);
    void Activate();
    void Destroy();

  private:
    HWND dialog_ = nullptr;
    HWND tooltip_ = nullptr;
};
