#include "controls/win/keyboard_layout.h"

#include <windows.h>

char LayoutCharacter(int scanCode) {
    const UINT virtualKey = MapVirtualKeyA(static_cast<UINT>(scanCode), MAPVK_VSC_TO_VK);
    return static_cast<char>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_CHAR) & 0xFF);
}

KeyCharacter LayoutKeyCharacter() {
    return LayoutCharacter;
}
