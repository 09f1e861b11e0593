#pragma once
// What a binding button of the control setup shows: the names of keys, controller buttons and
// axes. Five languages per entry: English, French, German, Italian, Spanish. Names are shown
// exactly as written here, trailing blanks included, and must stay within 19 characters (the
// name buffer of the controls setup).

#include <array>

#include "texts/local_text.h"

namespace texts::keys {

// A key with a name of its own, by DirectInput scan code (the DIK numbering).
struct KeyName {
    int scanCode;
    LocalText name;
};

// Keys missing here are named by the keyboard layout's character, or by their scan code in
// hexadecimal when they have no character.
// clang-format off
inline constexpr std::array<KeyName, 35> KeyNameTable = {{
    {0x01, Texts<"Escape", "Echap.", "Escape", "Esc", "Esc">},
    {0x0E, Texts<"Backspace", "Retour", "Rücktaste", "Indietro", "Atrás">},
    {0x0F, Texts<"Tab", "Tab", "Tab", "Tab", "Tab">},
    {0x1C, Texts<"Enter", "Entrée", "Eingabe", "Invio", "Intro">},
    {0x1D, Texts<"Left Ctrl", "Ctrl gauche", "Strg links", "Ctrl sx", "Ctrl izdo.">},
    {0x2A, Texts<"Left Shift", "Maj gauche", "Umschalt links", "MAIUSC sx", "May izda.">},
    {0x36, Texts<"Right Shift", "Maj droite", "Umschalt rechts", "MAIUSC dx", "May dcha.">},
    {0x38, Texts<"Left Alt", "Alt gauche", "Left Alt", "Alt sx", "Left Alt">},
    {0x39, Texts<"Space", "Espace", "Leertaste", "Spazio", "Espacio">},
    {0x45, Texts<"Numlock", "Verr num", "Numlock", "BlocNum", "Bloq Num">},
    {0x47, Texts<"Keypad 7", "Num 7", "Taste 7", "TastNum 7", "Tecl. Num. 7">},
    {0x48, Texts<"Keypad 8", "Num 8", "Taste 8", "TastNum 8", "Tecl. Num. 8">},
    {0x49, Texts<"Keypad 9", "Num 9", "Taste 9", "TastNum 9", "Tecl. Num. 9">},
    {0x4B, Texts<"Keypad 4", "Num 4", "Taste 4", "TastNum 4", "Tecl. Num. 4">},
    {0x4C, Texts<"Keypad 5", "Num 5", "Taste 5", "TastNum 5", "Tecl. Num. 5">},
    {0x4D, Texts<"Keypad 6", "Num 6", "Taste 6", "TastNum 6", "Tecl. Num. 6">},
    {0x4F, Texts<"Keypad 1", "Num 1", "Taste 1", "TastNum 1", "Tecl. Num. 1">},
    {0x50, Texts<"Keypad 2", "Num 2", "Taste 2", "TastNum 2", "Tecl. Num. 2">},
    {0x51, Texts<"Keypad 3", "Num 3", "Taste 3", "TastNum 3", "Tecl. Num. 3">},
    {0x52, Texts<"Keypad Ins", "Num Ins", "Einfg Taste", "TastNum Ins", "Ins. Tecl. Num.">},
    {0x53, Texts<"Keypad Del", "Num Suppr", "Entf Taste", "TastNum Canc ", "Borr. Tecl. Num.">},
    {0x9C, Texts<"Keypad Enter", "Num Entr", "Eingabe-Taste", "TastNum Invio ", "Intro Tecl. Num.">},
    {0x9D, Texts<"Right Ctrl", "Ctrl droit", "Strg rechts", "Ctrl dx", "Ctrl dcho.">},
    {0xB5, Texts<"Keypad /", "Num /", "Taste /", "TastNum /", "Tecl. Num /">},
    {0xB8, Texts<"Right Alt", "Alt droit", "Right Alt", "Alt dx", "Right Alt">},
    {0xC7, Texts<"Home", "Début", "Pos 1", "Home", "Inicio">},
    {0xC8, Texts<"Up Cursor", "Curseur haut", "Pfeil oben", "Freccia su", "Cursor Arr.">},
    {0xC9, Texts<"Page Up", "Pg haut", "Bild aufwärts", "Pag Su", "Pag. Arr">},
    {0xCB, Texts<"Left Cursor", "Curseur gauche", "Pfeil links", "Freccia sinistra", "Cursor izdo.">},
    {0xCD, Texts<"Right Cursor", "Curseur droit", "Pfeil rechts", "Freccia destra", "Cursor dcho.">},
    {0xCF, Texts<"End", "Fin", "Ende", "Fine", "Fin">},
    {0xD0, Texts<"Down Cursor", "Curseur bas", "Pfeil unten", "Freccia giù", "Cursor Abj.">},
    {0xD1, Texts<"Page Down", "Pg bas", "Bild abwärts", "Pag Giù", "Pag. Abj">},
    {0xD2, Texts<"Insert", "Inser", "Einfg", "Ins", "Insert">},
    {0xD3, Texts<"Delete", "Suppr", "Entf", "Canc", "Borrar">},
}};
// clang-format on

// The row of `scanCode`, or nullptr for a key without a name of its own.
constexpr const LocalText* FindKeyName(int scanCode) {
    for (const KeyName& key : KeyNameTable) {
        if (key.scanCode == scanCode)
            return &key.name;
    }
    return nullptr;
}

// A binding button with nothing bound.
inline constexpr LocalText kUndefined =
    Texts<"Undefined", "Non défini", "Undefiniert", "Non definito", "Sin definir">;

// Controller buttons show this word, a blank and the button number in two digits ("Button 01").
inline constexpr LocalText kButtonWord = Texts<"Button", "Bouton", "Button", "Pulsante", "Botón">;

// The six controller axes, indexed by input code minus 33: X, Y and Z axis, then the rotations
// about X, Y and Z.
inline constexpr std::array<LocalText, 6> kAxisNames = {
    Texts<"X Axis", "Axe X", "X-Achse", "Asse X", "Eje X">,
    Texts<"Y Axis", "Axe Y", "Y-Achse", "Asse Y", "Eje Y">,
    Texts<"Z Axis", "Axe Z", "Z-Achse", "Asse Z", "Eje Z">,
    Texts<"X Rot", "Rot. X", "X-Rotat.", "Rot X", "Rot X">,
    Texts<"Y Rot", "Rot. Y", "Y-Rotat.", "Rot Y", "Rot Y">,
    Texts<"Z Rot", "Rot. Z", "Z-Rotat.", "Rot Z", "Rot Z">,
};

// The first entry of the controller list, always present.
inline constexpr LocalText kKeyboard =
    Texts<"Keyboard", "Clavier", "Tastatur", "Tastiera", "Teclado">;

}  // namespace texts::keys
