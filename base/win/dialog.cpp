#include "base/win/dialog.h"

#include <cwchar>
#include <exception>
#include <new>
#include <utility>

#include "base/win/startup_log.h"

namespace {

// What the start-up log tells of the first dialog a process shows: when it is created, its
// initialisation and the moment its first paint begins.
bool firstCreation = true;
bool firstInitialisation = true;
bool firstPaint = true;

// The timer that brings kAfterFirstPaint; the dialogs' own timers count from 1.
constexpr UINT_PTR kAfterFirstPaintTimer = 0xF1F5;

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

void Dialog::RunAfterFirstPaint() {
    if (afterFirstPaint_ == AfterFirstPaint::NotAsked)
        afterFirstPaint_ = AfterFirstPaint::Asked;
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

namespace {

// Tells a debugger once why the dialog ended: a handler threw, and the exception stops here,
// since nothing may unwind through the dialog manager (C code of the system's).
void ReportHandlerFailure(UINT message, const char* what) {
    wchar_t line[200];
    swprintf(line, sizeof line / sizeof line[0],
             L"Tavrin: a dialog handler failed on message 0x%04X (%hs); the dialog ends\n", message,
             what);
    OutputDebugStringW(line);
}

}  // namespace

// A posted message would come before the window is even shown: a modal dialog is shown when its
// queue is first empty. A timer's message comes only when nothing else waits, painting included,
// so a timer set at the first paint comes once the controls have painted too.
Message Dialog::AfterFirstPaintFor(const Message& message) {
    if (message.id == WM_PAINT && afterFirstPaint_ == AfterFirstPaint::Asked) {
        SetTimer(window_, kAfterFirstPaintTimer, USER_TIMER_MINIMUM, nullptr);
        afterFirstPaint_ = AfterFirstPaint::TimerSet;
    }
    if (message.id != WM_TIMER || message.wParam != kAfterFirstPaintTimer ||
        afterFirstPaint_ != AfterFirstPaint::TimerSet) {
        return message;
    }
    KillTimer(window_, kAfterFirstPaintTimer);
    afterFirstPaint_ = AfterFirstPaint::Done;
    // Under Wine a window's picture reaches the screen when its thread next waits for messages: a
    // wait of no time lets the painted dialog go there before the work holds the thread.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
    return {kAfterFirstPaint, 0, 0};
}

void Dialog::Fail(UINT message, const char* what) {
    if (std::exchange(failed_, true))
        return;
    ReportHandlerFailure(message, what);
    if (window_ != nullptr)
        End(-1);
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
    const Message message = dialog->AfterFirstPaintFor({id, wParam, lParam});
    std::optional<StartupStep> initialisation;
    if (id == WM_INITDIALOG && std::exchange(firstInitialisation, false))
        initialisation.emplace("dialog initialisation");

    HandlerResult result;
    try {
        result = dialog->Dispatch(message);
    } catch (const std::bad_alloc& failure) {
        if (!dialog->failed_)
            dialog->ranOutOfMemory_ = true;
        dialog->Fail(id, failure.what());
        return FALSE;
    } catch (const std::exception& failure) {
        dialog->Fail(id, failure.what());
        return FALSE;
    } catch (...) {
        dialog->Fail(id, "unknown exception");
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
