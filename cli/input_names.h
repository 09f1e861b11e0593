#pragma once
// The names of bound inputs as the settings tool prints and reads them: the binding buttons'
// names (DescribeInputCode, KeyName), in UTF-8. This is the tool's only use of the controls
// core's key naming, so that a change there is met here alone.

#include <optional>
#include <string>
#include <string_view>

#include "cli/utf8_text.h"
#include "controls/input_code.h"

// What a US keyboard layout gives each DirectInput scan code, as the controls setup asks a layout
// (KeyCharacter): capitals for letters, 0 for keys that type nothing. The tool's stand-in for a
// layout where it cannot ask the machine's.
char16_t UsLayoutCharacter(int scanCode);

// The name a binding button shows for `code` in `language`, in UTF-8.
std::string InputName(InputCode code, int language);

// Whether `code` names something a keyboard binding can hold: a key of scan code 1 to 255.
bool NamesAKey(InputCode code);
// Whether `code` names something a controller binding can hold: a button or an axis.
bool NamesAButtonOrAxis(InputCode code);

// The keyboard code a name stands for: a key's name or character as InputName gives it in
// `language` or in English ("Space", "Leertaste", "Z", "Ж", "0x3b"), whatever the case of its
// letters; 0 for the unbound name ("Undefined"). Nothing for any other text.
std::optional<InputCode> KeyboardCodeNamed(const NameKey& name, int language);

// The controller code a name stands for, the same way: "Button 03" (or "Button 3"), "X Axis",
// the unbound name.
std::optional<InputCode> ControllerCodeNamed(const NameKey& name, int language);
