#pragma once
// Key presses and pointer clicks on the X display the Wine programs run on, through xdotool. Wine
// turns them into keyboard and mouse input, which DirectInput's keyboard device sees as well.

#include <string>

#include "e2e/support/wait_until.h"

namespace e2e {

// Presses the key `keysym` (an X key name such as "Escape", "Return" or "a"), holds it for a
// moment as a player would, and releases it; true when xdotool did so within `timeout`.
bool PressKey(const std::string& keysym, Milliseconds timeout = kGenerousWait);

// Moves the pointer to (x, y) on the screen and clicks the left button there, as a player's
// mouse does: the window under the pointer is activated and the control pressed takes the focus.
bool ClickPointerAt(int x, int y, Milliseconds timeout = kGenerousWait);

}  // namespace e2e
