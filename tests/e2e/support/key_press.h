#pragma once
// Key presses and pointer clicks on the X display the Wine programs run on, through xdotool. Wine
// turns them into keyboard and mouse input, which DirectInput's keyboard device sees as well.

#include <optional>
#include <string>

#include "e2e/support/wait_until.h"

namespace e2e {

// Presses the key `keysym` (an X key name such as "Escape", "Return" or "a"), holds it for a
// moment as a player would, and releases it; true when xdotool did so within `timeout`.
bool PressKey(const std::string& keysym, Milliseconds timeout = kGenerousWait);

// Presses the key and holds it for `hold`, long enough for the display to repeat it when that is
// past its auto-repeat delay, then releases it.
bool HoldKey(const std::string& keysym, Milliseconds hold);

// Presses the key and keeps it down until KeyUp, as a stuck key or a resting finger does.
bool KeyDown(const std::string& keysym);
bool KeyUp(const std::string& keysym);

// Moves the pointer to (x, y) on the screen and clicks the left button there, as a player's
// mouse does: the window under the pointer is activated and the control pressed takes the focus.
bool ClickPointerAt(int x, int y, Milliseconds timeout = kGenerousWait);

// The keyboard layout of the X display, by setxkbmap's names ("us", "de"), changed for one test:
// set when made, the layout before put back when it goes. A Wine program reads the layout when
// it starts. The X server keeps a layout only while some client stays connected, as the tests'
// driver does.
class KeyboardLayoutForTest {
  public:
    explicit KeyboardLayoutForTest(const std::string& layout);
    ~KeyboardLayoutForTest();
    KeyboardLayoutForTest(const KeyboardLayoutForTest&) = delete;
    KeyboardLayoutForTest& operator=(const KeyboardLayoutForTest&) = delete;

    // Whether the layout was set.
    bool Set() const { return set_; }

  private:
    std::optional<std::string> before_;
    bool set_ = false;
};

}  // namespace e2e
