#include "base/win/combo_box.h"

bool AddComboEntry(HWND combo, const std::wstring& text, std::size_t index) {
    const LRESULT entry =
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (entry < 0)
        return false;
    if (SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(entry),
                     static_cast<LPARAM>(index)) != CB_ERR) {
        return true;
    }
    // A new entry carries zero: left in the box, it would show one record and name another.
    SendMessageW(combo, CB_DELETESTRING, static_cast<WPARAM>(entry), 0);
    return false;
}

std::optional<std::size_t> SelectedComboIndex(HWND combo) {
    const LRESULT entry = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (entry < 0)
        return std::nullopt;
    const LRESULT index = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(entry), 0);
    if (index < 0)
        return std::nullopt;  // CB_ERR; no entry is given a negative index
    return static_cast<std::size_t>(index);
}

bool SelectComboIndex(HWND combo, std::size_t index) {
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT entry = 0; entry < count; ++entry) {
        const WPARAM position = static_cast<WPARAM>(entry);
        if (SendMessageW(combo, CB_GETITEMDATA, position, 0) == static_cast<LRESULT>(index)) {
            SendMessageW(combo, CB_SETCURSEL, position, 0);
            return true;
        }
    }
    return false;
}
