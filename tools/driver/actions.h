#pragma once
// What a user does to the windows of another process: click, select, check, close, answer a
// message box. The handler in the target may open a modal message box or end the process, so
// no action waits for it blindly.

#include <windows.h>

#include <string>

enum class Outcome {
    Finished,    // the target's handler returned
    MessageBox,  // a message box appeared while the handler ran
    Gone,        // the window was destroyed before its handler answered
    TimedOut,    // none of these within the time allowed
    Refused,     // a user could not have done it (a disabled control, a missing item)
};

struct ActionResult {
    Outcome outcome = Outcome::TimedOut;
    LRESULT result = 0;         // the handler's return value when Finished
    HWND messageBox = nullptr;  // the new message box when MessageBox
    std::string refusal;        // why, when Refused

    static ActionResult Of(Outcome outcome) {
        ActionResult made;
        made.outcome = outcome;
        return made;
    }
};

// Sends `message` without blocking on it and waits for one of the outcomes above.
ActionResult SendAndWatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeout);

ActionResult ClickButton(HWND dialog, int id, DWORD timeout);
// Selects item `index` and tells the parent with CBN_SELCHANGE, as a selection by the user does.
// A hidden combo box is refused unless `evenIfHidden`.
ActionResult SelectComboItem(HWND dialog, int id, int index, DWORD timeout, bool evenIfHidden);
// Gives a check box `state` and tells its parent of the click; nothing when it has that state.
ActionResult SetButtonCheck(HWND dialog, int id, int state, DWORD timeout);
// Shows a button pushed in or released, without clicking it.
ActionResult SetButtonPushed(HWND dialog, int id, bool pushed);
ActionResult CloseWindow(HWND window, DWORD timeout);
// Invalidates the whole window, children included, and has it paint at once.
ActionResult RedrawNow(HWND window, DWORD timeout);
// Presses the button `id` of a message box and waits until the box is gone.
ActionResult AnswerMessageBox(HWND box, int id, DWORD timeout);
