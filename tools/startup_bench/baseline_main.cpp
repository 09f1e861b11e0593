// The yardstick of the start-up benchmark: a program that shows one empty dialog from a template
// and nothing else. Whatever its time to a painted window is, every program of ours pays at
// least that much; what the others take beyond it is theirs to answer for.
//
// Built a second time with TAVRIN_BASELINE_COMMON_CONTROLS, it first loads and initialises the
// common controls as our programs do, which every window of ours needs for its tooltips: the
// system's part of that can then be told from ours.
//
// It logs its start and its first paint like the real programs (base/win/startup_log.h).

#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "base/win/startup_log.h"
#include "tools/startup_bench/baseline_layout.h"

namespace {

bool firstPaint = true;

INT_PTR CALLBACK BaselineProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            StartupMark("dialog initialisation");
            return TRUE;
        case WM_PAINT:
            if (std::exchange(firstPaint, false))
                StartupMark("first paint");
            return FALSE;  // the dialog manager paints it
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL)  // also the close request
                EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    StartupMark("start");
#ifdef TAVRIN_BASELINE_COMMON_CONTROLS
    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
#endif
    StartupMark("create dialog");
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_BASELINE), nullptr, BaselineProcedure, 0);
    return 0;
}
