#pragma once
// The single number by which every binding of the settings file is stored, and the text a binding
// button shows for it. Controller codes (buttons, then axes) and keyboard codes never overlap, so
// one number says both what was bound and on which kind of device.
//
//     0          nothing bound                        "Undefined"
//     1 ... 32   controller button n                  "Button 01" ... "Button 32"
//     33 ... 38  controller axis X, Y, Z, X rotation,  "X Axis" ... "Z Rot"
//                Y rotation, Z rotation
//     39 + s     keyboard key with DirectInput scan   its name, its character, or "0x3b"
//                code s (0 ... 255, the DIK numbering)
//
// The Windows side names its own layout-dependent pieces (the character a key types) through
// KeyCharacter; everything else is decided here.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "texts/local_text.h"

using InputCode = std::int32_t;

inline constexpr InputCode kUnbound = 0;

inline constexpr int kButtonCount = 32;
inline constexpr InputCode kFirstButtonCode = 1;
inline constexpr InputCode kLastButtonCode = kFirstButtonCode + kButtonCount - 1;  // 32

// The axes in the order of their codes, which is also the order in which a capture looks at them
// and the order of the six axis values of the DirectInput joystick state (lX, lY, lZ, lRx, lRy,
// lRz).
enum class Axis : int { X, Y, Z, XRotation, YRotation, ZRotation };
inline constexpr int kAxisCount = 6;
inline constexpr InputCode kFirstAxisCode = 33;
inline constexpr InputCode kLastAxisCode = kFirstAxisCode + kAxisCount - 1;  // 38

// The first keyboard code, scan code 0. The settings file stores this number as its controls
// constant.
inline constexpr InputCode kFirstKeyCode = 39;
// DirectInput's keyboard state has one byte per scan code.
inline constexpr int kScanCodeCount = 256;

constexpr bool IsButton(InputCode code) {
    return code >= kFirstButtonCode && code <= kLastButtonCode;
}
constexpr bool IsAxis(InputCode code) {
    return code >= kFirstAxisCode && code <= kLastAxisCode;
}
constexpr bool IsKey(InputCode code) {
    return code >= kFirstKeyCode;
}

// The code of controller button `number` (1 ... 32).
constexpr InputCode ButtonCode(int number) {
    return kFirstButtonCode + number - 1;
}
constexpr InputCode AxisCode(Axis axis) {
    return kFirstAxisCode + static_cast<int>(axis);
}
// The code of the key with DirectInput scan code `scanCode` (0 ... 255).
constexpr InputCode KeyCode(int scanCode) {
    return kFirstKeyCode + scanCode;
}

// The button number (1 ... 32) of a button code.
constexpr int ButtonNumberOf(InputCode code) {
    return code - kFirstButtonCode + 1;
}
// The axis of an axis code.
constexpr Axis AxisOf(InputCode code) {
    return static_cast<Axis>(code - kFirstAxisCode);
}
// The scan code of a keyboard code. A code read from a damaged file may give more than 255.
constexpr int ScanCodeOf(InputCode code) {
    return code - kFirstKeyCode;
}

// The character the keyboard layout gives a key that has no name of its own, by DirectInput scan
// code, as one UTF-16 unit; 0 when it types none (function keys, for example). Letters come as
// capitals, so the key with scan code 44 gives 'Z' on an English layout. On Windows:
//
//     [](int scanCode) {
//         const UINT virtualKey = MapVirtualKeyW(scanCode, MAPVK_VSC_TO_VK);
//         return static_cast<char16_t>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_CHAR) & 0xFFFF);
//     }
//
// It is asked only about scan codes 0 to 255. An empty function stands for a layout in which no
// key types a character.
using KeyCharacter = std::function<char16_t(int scanCode)>;

// Names are UTF-16: a layout's character may be one that code page 1252, the code page of the
// text tables, cannot hold (Ж on a Russian layout, ě on a Czech one). The table texts come
// converted; Windows shows names through its wide functions as they are.
//
// Every name fits the controls setup's name buffer: 19 characters and a terminator.
inline constexpr std::size_t kNameBufferSize = 20;
inline constexpr std::size_t kMaxNameLength = kNameBufferSize - 1;

// The name of the key with scan code `scanCode` in `language`: its own name from the key name
// table, else its character. Nothing when it has neither: such a key cannot be captured.
std::optional<std::u16string> KeyName(int scanCode, const KeyCharacter& keyCharacter,
                                      int language = CurrentLanguage());

// The text a binding button shows for `code` in `language`:
//   0                     "Undefined"
//   33 ... 38             the axis name ("X Axis" ... "Z Rot")
//   any other code < 39   the button word, a blank and the number in at least two digits
//                         ("Button 01"); a negative number from a damaged file shows as it is
//                         ("Button -5")
//   39 and above          the key's name or character (KeyName), else the scan code in
//                         hexadecimal, at least two digits ("0x3b"; "0x00" for scan code 0)
// The text never has more than kMaxNameLength characters: the longest listed name has 16, and a
// damaged file's number that would make it longer is cut off there, as the name buffer would.
//
// The control setup dialog writes this onto a binding button; the button is its business.
std::u16string DescribeInputCode(InputCode code, const KeyCharacter& keyCharacter,
                                 int language = CurrentLanguage());
