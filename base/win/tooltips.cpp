#include "base/win/tooltips.h"

#include <commctrl.h>

#include <string>

#include "base/win/ui_text.h"

void Tooltips::Create(HWND dialog) {
    Destroy();
    dialog_ = dialog;
    tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
}

namespace {

// Sends `message` about the tool of control `id` of `dialog`, with `text` (code page 1252).
void SendTool(HWND tooltip, HWND dialog, int id, const char* text, UINT message) {
    const HWND control = GetDlgItem(dialog, id);
    if (tooltip == nullptr || control == nullptr)
        return;
    std::wstring wide = WideFromCodePage1252(text);  // the control copies it
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = wide.data();
    SendMessageW(tooltip, message, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace

void Tooltips::Add(int id, const char* text) {
    SendTool(tooltip_, dialog_, id, text, TTM_ADDTOOLW);
}

void Tooltips::SetText(int id, const char* text) {
    SendTool(tooltip_, dialog_, id, text, TTM_UPDATETIPTEXTW);
}

void Tooltips::Activate() {
    if (tooltip_ != nullptr)
        SendMessageW(tooltip_, TTM_ACTIVATE, TRUE, 0);
}

void Tooltips::Destroy() {
    if (tooltip_ != nullptr)
        DestroyWindow(tooltip_);
    tooltip_ = nullptr;
}
