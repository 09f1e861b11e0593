#include "controls/win/keyboard_layout.h"

#include <windows.h>

char16_t LayoutCharacter(int scanCode) {
    const UINT virtualKey = MapVirtualKeyW(static_cast<UINT>(scanCode), MAPVK_VSC_TO_VK);
    // The low word is the character; the top bit marks a dead key, which still names its key.
    return static_cast<char16_t>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_CHAR) & 0xFFFF);
}

KeyCharacter LayoutKeyCharacter() {
    return LayoutCharacter;
}
