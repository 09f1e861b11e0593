#include "base/win/ui_text.h"

#include <iterator>

#include "base/win/text_conversion.h"

namespace {

constexpr UINT kCodePage1252 = 1252;

bool SetWideTextIfChanged(HWND window, const std::wstring& text) {
    if (WindowText(window) == text)
        return false;
    SetWindowTextW(window, text.c_str());
    return true;
}

}  // namespace

std::wstring WideFromCodePage1252(const char* text) {
    return WideFrom(kCodePage1252, text);
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return text;
}

bool SetWindowTextIfChanged(HWND window, const char* text) {
    return SetWideTextIfChanged(window, WideFromCodePage1252(text));
}

bool SetItemTextIfChanged(HWND dialog, int id, const char* text) {
    const HWND item = GetDlgItem(dialog, id);
    return item != nullptr && SetWindowTextIfChanged(item, text);
}

bool SetWindowTextIfChanged(HWND window, std::u16string_view text) {
    // Windows' wide characters are UTF-16 code units.
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    return SetWideTextIfChanged(window, std::wstring(text.begin(), text.end()));
}

bool SetItemTextIfChanged(HWND dialog, int id, std::u16string_view text) {
    const HWND item = GetDlgItem(dialog, id);
    return item != nullptr && SetWindowTextIfChanged(item, text);
}

int ShowMessage(HWND owner, const char* text, const char* caption, UINT style) {
    // Converted on the stack where they fit, as every text of the tables does: the message that
    // memory has run out must not need any.
    wchar_t wideText[1024];
    wchar_t wideCaption[128];
    if (MultiByteToWideChar(kCodePage1252, 0, text, -1, wideText, std::size(wideText)) > 0 &&
        MultiByteToWideChar(kCodePage1252, 0, caption, -1, wideCaption, std::size(wideCaption)) >
            0) {
        return MessageBoxW(owner, wideText, wideCaption, style);
    }
    return MessageBoxW(owner, WideFromCodePage1252(text).c_str(),
                       WideFromCodePage1252(caption).c_str(), style);
}
