// A yardstick of the start-up benchmark: the dialog template of one of the four windows, shown
// bare. The same controls, font and size as the real window, from the same resource script, but
// no skin, no settings, no texts, no tooltips and no DirectX: what the system takes to show that
// template. Whatever the real window takes beyond it is the program's own doing.
//
// Started as the program whose window it stands for: with "graphics", "sound" or "control" and a
// language number, the setup dialog's template; without arguments, the launcher's. Its title
// names the template, since the audio setup's has none of its own. It logs its start and its
// first paint like the real programs (base/win/startup_log.h).

#include <windows.h>

#include <utility>

#include "app/command_line.h"
#include "base/win/startup_log.h"
#include "resources/resource_ids.h"

namespace {

struct Yardstick {
    int templateId;
    const wchar_t* title;
};

Yardstick YardstickFor(const StartRequest& request) {
    if (request.kind != StartRequest::Kind::RunSetupDialog)
        return {IDD_LAUNCHER, L"Start-up Template launcher"};
    switch (request.mode) {
        case SetupMode::Graphics:
            return {IDD_GRAPHICS_SETUP, L"Start-up Template graphics"};
        case SetupMode::Sound:
            return {IDD_AUDIO_SETUP, L"Start-up Template audio"};
        case SetupMode::Control:
            break;
    }
    return {IDD_CONTROL_SETUP, L"Start-up Template controls"};
}

bool firstPaint = true;

INT_PTR CALLBACK TemplateProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            StartupMark("dialog initialisation");
            SetWindowTextW(dialog, reinterpret_cast<const wchar_t*>(lParam));
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
    const Yardstick yardstick = YardstickFor(ParseCommandLine(__argc, __argv));
    StartupMark("create dialog");
    DialogBoxParamW(instance, MAKEINTRESOURCEW(yardstick.templateId), nullptr, TemplateProcedure,
                    reinterpret_cast<LPARAM>(yardstick.title));
    return 0;
}
