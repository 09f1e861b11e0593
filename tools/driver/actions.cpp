#include "tools/driver/actions.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "tools/driver/waiting.h"
#include "tools/driver/window_queries.h"

namespace {

// The send being waited for. A reply that comes after its wait has given up carries an older
// ticket and is ignored.
struct PendingSend {
    ULONG_PTR ticket = 0;
    bool finished = false;
    LRESULT result = 0;
};
PendingSend pending;

void CALLBACK SendFinished(HWND, UINT, ULONG_PTR ticket, LRESULT result) {
    if (ticket != pending.ticket)
        return;
    pending.finished = true;
    pending.result = result;
}

ActionResult Refuse(std::string why) {
    ActionResult result = ActionResult::Of(Outcome::Refused);
    result.refusal = std::move(why);
    return result;
}

// The control a user would act on: it must exist, be visible and be enabled, and so must its
// window (a modal window above it disables it). A program's hidden control is acted on only when
// the test says so: it reaches a handler that no user can reach but that still has to work.
HWND UsableControl(HWND dialog, int id, std::string* problem, bool evenIfHidden = false) {
    HWND control = FindControl(dialog, id);
    const std::string name = "control " + std::to_string(id);
    if (control == nullptr) {
        *problem = "no " + name;
    } else if (!evenIfHidden && !IsWindowVisible(control)) {
        *problem = name + " is hidden";
    } else if (!IsWindowEnabled(control)) {
        *problem = name + " is disabled";
    } else if (!IsWindowEnabled(GetAncestor(control, GA_ROOT))) {
        *problem = "the window of " + name + " is disabled";
    } else {
        return control;
    }
    return nullptr;
}

// Tells the control's parent what the control would tell it.
ActionResult Notify(HWND control, WORD code, DWORD timeout) {
    const auto id = static_cast<WORD>(GetDlgCtrlID(control));
    return SendAndWatch(GetParent(control), WM_COMMAND, MAKEWPARAM(id, code),
                        reinterpret_cast<LPARAM>(control), timeout);
}

// The state an automatic check box or radio button takes when clicked; nullopt for buttons whose
// state only their parent changes.
std::optional<WPARAM> StateAfterClick(HWND button) {
    const LRESULT state = SendWithTimeout(button, BM_GETCHECK, 0, 0).value_or(BST_UNCHECKED);
    switch (GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) {
        case BS_AUTOCHECKBOX:
            return state == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        case BS_AUTO3STATE:
            return static_cast<WPARAM>((state + 1) % 3);
        case BS_AUTORADIOBUTTON:
            return BST_CHECKED;
    }
    return std::nullopt;
}

}  // namespace

ActionResult SendAndWatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeout) {
    const std::vector<HWND> earlierBoxes = MessageBoxes(0);
    pending = {pending.ticket + 1, false, 0};
    if (!SendMessageCallbackW(window, message, wParam, lParam, SendFinished, pending.ticket)) {
        return Refuse("the message could not be sent");
    }
    ActionResult result = ActionResult::Of(Outcome::TimedOut);
    WaitFor(timeout, [&] {
        if (pending.finished) {
            result = ActionResult::Of(Outcome::Finished);
            result.result = pending.result;
            return true;
        }
        for (HWND box : MessageBoxes(0)) {
            if (std::find(earlierBoxes.begin(), earlierBoxes.end(), box) == earlierBoxes.end()) {
                result = ActionResult::Of(Outcome::MessageBox);
                result.messageBox = box;
                return true;
            }
        }
        if (!IsWindow(window)) {
            // The reply may have come with the window's end: the handler did return then.
            PumpMessages(0);
            result = ActionResult::Of(pending.finished ? Outcome::Finished : Outcome::Gone);
            result.result = pending.result;
            return true;
        }
        return false;
    });
    return result;
}

// A click is sent as what the dialog gets from one: the new state of an automatic check box, then
// BN_CLICKED. BM_CLICK would instead fake a mouse press and release with the mouse captured
// between them, and Wine cancels that capture when the activation changes meanwhile: the click
// would be lost without a trace.
ActionResult ClickButton(HWND dialog, int id, DWORD timeout) {
    std::string problem;
    HWND button = UsableControl(dialog, id, &problem);
    if (button == nullptr)
        return Refuse(problem);
    if (const std::optional<WPARAM> state = StateAfterClick(button)) {
        SendWithTimeout(button, BM_SETCHECK, *state, 0);
    }
    return Notify(button, BN_CLICKED, timeout);
}

ActionResult SelectComboItem(HWND dialog, int id, int index, DWORD timeout, bool evenIfHidden) {
    std::string problem;
    HWND combo = UsableControl(dialog, id, &problem, evenIfHidden);
    if (combo == nullptr)
        return Refuse(problem);
    if (!HasClass(combo, L"ComboBox")) {
        return Refuse("control " + std::to_string(id) + " is not a combo box");
    }
    const auto item = static_cast<WPARAM>(index);
    if (index < 0 || SendWithTimeout(combo, CB_SETCURSEL, item, 0).value_or(CB_ERR) == CB_ERR) {
        return Refuse("combo box " + std::to_string(id) + " has no item " + std::to_string(index));
    }
    return Notify(combo, CBN_SELCHANGE, timeout);
}

ActionResult SetButtonCheck(HWND dialog, int id, int state, DWORD timeout) {
    std::string problem;
    HWND button = UsableControl(dialog, id, &problem);
    if (button == nullptr)
        return Refuse(problem);
    if (SendWithTimeout(button, BM_GETCHECK, 0, 0) == state)
        return ActionResult::Of(Outcome::Finished);
    SendWithTimeout(button, BM_SETCHECK, static_cast<WPARAM>(state), 0);
    return Notify(button, BN_CLICKED, timeout);
}

ActionResult SetButtonPushed(HWND dialog, int id, bool pushed) {
    HWND button = FindControl(dialog, id);
    if (button == nullptr)
        return Refuse("no control " + std::to_string(id));
    if (!SendWithTimeout(button, BM_SETSTATE, pushed ? TRUE : FALSE, 0)) {
        return Refuse("the button does not answer");
    }
    return ActionResult::Of(Outcome::Finished);
}

ActionResult CloseWindow(HWND window, DWORD timeout) {
    return SendAndWatch(window, WM_CLOSE, 0, 0, timeout);
}

ActionResult RedrawNow(HWND window, DWORD timeout) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    // What UpdateWindow does, without waiting blindly for a target that may be busy.
    return SendAndWatch(window, WM_PAINT, 0, 0, timeout);
}

ActionResult AnswerMessageBox(HWND box, int id, DWORD timeout) {
    if (!IsMessageBox(box))
        return Refuse("not a message box");
    ActionResult result = ClickButton(box, id, timeout);
    if (result.outcome != Outcome::Finished && result.outcome != Outcome::Gone)
        return result;
    if (!WaitFor(timeout, [box] { return !IsWindow(box); }))
        return ActionResult::Of(Outcome::TimedOut);
    return result;
}
