#include "app/win/dialog.h"

#include <utility>

#include "app/win/startup_log.h"
#include "skin/win/skin_painting.h"

namespace {

// What the start-up log tells of the first dialog a process shows: when it is created, its
// initialisation, the moment its first paint begins, and the skin picture drawn into it.
bool firstCreation = true;
bool firstInitialisation = true;
bool firstPaint = true;
bool firstSkinErase = true;

}  // namespace

Dialog::~Dialog() {
    if (window_ == nullptr || !modeless_)
        return;
    // The derived part of the object is gone already: detach before the window's last messages.
    SetWindowLongPtrW(window_, DWLP_USER, 0);
    DestroyWindow(window_);
}

INT_PTR Dialog::RunModal(HWND owner) {
    if (std::exchange(firstCreation, false))
        StartupMark("create dialog");
    modeless_ = false;
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner,
                           DialogProcedure, reinterpret_cast<LPARAM>(this));
}

bool Dialog::CreateModeless(HWND owner) {
    modeless_ = true;
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner,
                              DialogProcedure, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::End(INT_PTR result) {
    // A modeless window is only hidden: EndDialog is for modal loops, and would enable the owner
    // even while a message box of the owner's keeps it disabled.
    if (modeless_) {
        ShowWindow(window_, SW_HIDE);
        return;
    }
    EndDialog(window_, result);
}

HandlerResult Dialog::EraseWithSkin(const Message& message) {
    std::optional<StartupStep> step;
    if (std::exchange(firstSkinErase, false))
        step.emplace("skin drawn");
    return DrawSkinBackground(window_, reinterpret_cast<HDC>(message.wParam));
}

HandlerResult Dialog::ColourControlsForSkin(const Message& message) {
    const HBRUSH brush =
        SkinControlColor(reinterpret_cast<HDC>(message.wParam), ControlTypeOf(message.id));
    if (brush == nullptr)
        return std::nullopt;
    return reinterpret_cast<INT_PTR>(brush);
}

HandlerResult Dialog::DrawButtonWithSkin(const Message& message) {
    DrawSkinButton(window_, *reinterpret_cast<const DRAWITEMSTRUCT*>(message.lParam));
    return TRUE;
}

HandlerResult Dialog::EraseWithoutSkin(const Message& message) {
    return EraseWithSystemBrush(reinterpret_cast<HDC>(message.wParam));
}

INT_PTR CALLBACK Dialog::DialogProcedure(HWND window, UINT id, WPARAM wParam, LPARAM lParam) {
    if (id == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Dialog*>(lParam);
        dialog->window_ = window;
        SetWindowLongPtrW(window, DWLP_USER, lParam);
    }
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (dialog == nullptr)
        return FALSE;  // messages before WM_INITDIALOG
    if (id == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        dialog->window_ = nullptr;
    }

    if (id == WM_PAINT && std::exchange(firstPaint, false))
        StartupMark("first paint");
    std::optional<StartupStep> initialisation;
    if (id == WM_INITDIALOG && std::exchange(firstInitialisation, false))
        initialisation.emplace("dialog initialisation");

    HandlerResult result;
    try {
        result = dialog->Dispatch({id, wParam, lParam});
    } catch (...) {
        // Nothing may unwind through the dialog manager: it is C code of the system's.
        return FALSE;
    }
    if (!result)
        return FALSE;
    const bool returnsDirectly =
        id == WM_INITDIALOG || (id >= WM_CTLCOLORMSGBOX && id <= WM_CTLCOLORSTATIC);
    if (returnsDirectly)
        return *result;
    SetWindowLongPtrW(window, DWLP_MSGRESULT, *result);
    return TRUE;
}
