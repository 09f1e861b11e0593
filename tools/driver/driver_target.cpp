// driver_target.exe: a small dialog on which the driver's own tests try every command. Each thing
// done to it is written into its status line, where the tests read it back.

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "base/win/gdi_objects.h"
#include "tools/driver/driver_target_layout.h"

namespace {

void SetStatus(HWND dialog, const std::string& text) {
    SetDlgItemTextA(dialog, IDC_TARGET_STATUS, text.c_str());
}

void FillLanguages(HWND dialog) {
    // Added through the ANSI function in code page 1252, as the programs under test do.
    const char* const languages[] = {"English", "Franz\xF6sisch", "Italiano"};
    for (const char* language : languages) {
        SendDlgItemMessageA(dialog, IDC_TARGET_LANGUAGE, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(language));
    }
    SendDlgItemMessageA(dialog, IDC_TARGET_LANGUAGE, CB_SETCURSEL, 0, 0);
}

// A tooltip for the Enabled button only, owned by the dialog and destroyed with it.
void AddTooltip(HWND dialog) {
    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    const HWND tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                         dialog, nullptr, nullptr, nullptr);
    wchar_t text[] = L"Says \u00ABClicked Enabled\u00BB";
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, IDC_TARGET_ENABLED));
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ShowSelection(HWND dialog) {
    const LRESULT index = SendDlgItemMessageA(dialog, IDC_TARGET_LANGUAGE, CB_GETCURSEL, 0, 0);
    char text[64] = "";
    if (index != CB_ERR) {
        SendDlgItemMessageA(dialog, IDC_TARGET_LANGUAGE, CB_GETLBTEXT, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(text));
    }
    SetStatus(dialog, std::string("Selected ") + text);
}

void Ask(HWND dialog) {
    const int answer = MessageBoxA(dialog, "Proceed?", "Target Question", MB_YESNO);
    SetStatus(dialog, answer == IDYES ? "Answer Yes" : answer == IDNO ? "Answer No" : "No answer");
}

// Counted, so that a test can tell that a repaint it asked for has happened.
void PaintRectangles(HWND dialog) {
    static int paints = 0;
    SetDlgItemTextA(dialog, IDC_TARGET_PAINTS, ("Paints " + std::to_string(++paints)).c_str());
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    const GdiObject red(CreateSolidBrush(RGB(255, 0, 0)));
    const GdiObject blue(CreateSolidBrush(RGB(0, 0, 255)));
    const RECT redArea{TARGET_RED_LEFT, TARGET_RED_TOP, TARGET_RED_LEFT + TARGET_RECT_WIDTH,
                       TARGET_RED_TOP + TARGET_RECT_HEIGHT};
    const RECT blueArea{TARGET_BLUE_LEFT, TARGET_BLUE_TOP, TARGET_BLUE_LEFT + TARGET_RECT_WIDTH,
                        TARGET_BLUE_TOP + TARGET_RECT_HEIGHT};
    FillRect(dc, &redArea, static_cast<HBRUSH>(red.Get()));
    FillRect(dc, &blueArea, static_cast<HBRUSH>(blue.Get()));
    EndPaint(dialog, &paint);
}

void OnCommand(HWND dialog, int id, int notification) {
    switch (id) {
        case IDC_TARGET_LANGUAGE:
            if (notification == CBN_SELCHANGE)
                ShowSelection(dialog);
            break;
        case IDC_TARGET_FULL_SCREEN: {
            const bool checked = IsDlgButtonChecked(dialog, IDC_TARGET_FULL_SCREEN) == BST_CHECKED;
            SetStatus(dialog, checked ? "Full screen on" : "Full screen off");
            break;
        }
        case IDC_TARGET_ENABLED:
            SetStatus(dialog, "Clicked Enabled");
            break;
        case IDC_TARGET_DISABLED:
            SetStatus(dialog, "Clicked Disabled");
            break;
        case IDC_TARGET_ASK:
            Ask(dialog);
            break;
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, id);
            break;
    }
}

INT_PTR CALLBACK TargetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            FillLanguages(dialog);
            AddTooltip(dialog);
            return TRUE;
        case WM_PAINT:
            PaintRectangles(dialog);
            return TRUE;
        case WM_COMMAND:
            OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
    }
    return FALSE;
}

}  // namespace

// The exit code is the button that ended the dialog: IDOK 1, IDCANCEL 2.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(
        DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_DRIVER_TARGET), nullptr, TargetProc, 0));
}
