#pragma once
// The keyboard layout of this machine, for the names of keys without a name of their own.

#include "controls/input_code.h"

// The character the layout gives the key with DirectInput scan code `scanCode`, as a capital
// letter for letters; 0 when it types none. Asked in UTF-16, so that the character is the
// layout's own whatever the system's ANSI code page: Ж on a Russian layout, ě on a Czech one.
char16_t LayoutCharacter(int scanCode);

// LayoutCharacter as the controls core asks for it.
KeyCharacter LayoutKeyCharacter();
