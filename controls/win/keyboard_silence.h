#pragma once
// While a capture waits, the keys the player presses are the capture's alone: it reads them from
// DirectInput, and none of them may also act on the windows of the control setup, wherever the
// keyboard's focus is (the player may have clicked the dialog meanwhile): Space would click the
// focused button, Enter press OK, an arrow key change the controller list. While one of these
// objects lives, no key message reaches any window of this thread.

#include <windows.h>

#include "base/win/owned_handle.h"

class KeyboardSilence {
  public:
    // Silences the keyboard for the windows of the calling thread.
    KeyboardSilence();

    // Whether the keyboard is silenced; false when the system refused.
    bool Active() const { return static_cast<bool>(hook_); }

  private:
    static void Unhook(HHOOK hook) { UnhookWindowsHookEx(hook); }

    OwnedHandle<HHOOK, Unhook> hook_;
};
