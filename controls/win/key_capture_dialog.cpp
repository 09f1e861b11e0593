#include "controls/win/key_capture_dialog.h"

#include <utility>

#include "texts/control_texts.h"
#include "texts/local_text.h"
#include "texts/messages.h"
#include "base/win/ui_text.h"
#include "resources/resource_ids.h"
#include "settings/win/settings_readers.h"

namespace {

constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollPeriodMilliseconds = 10;

}  // namespace

const MessageMap<KeyCaptureDialog> KeyCaptureDialog::kMessageMap = {
    OnInitDialog(&KeyCaptureDialog::Initialise),
    OnMessage(WM_TIMER, &KeyCaptureDialog::Poll),
    OnMessage(WM_PAINT, &KeyCaptureDialog::Relabel),
    OnMessage(WM_ERASEBKGND, &KeyCaptureDialog::EraseWithoutSkin),
    ChainMessageMap<SkinnedDialog>(),
};

KeyCaptureDialog::KeyCaptureDialog(CaptureDevices devices, CaptureSession session,
                                   std::function<void(InputCode)> bind)
    : MappedDialog(IDD_KEY_CAPTURE),
      devices_(devices),
      session_(std::move(session)),
      bind_(std::move(bind)) {}

bool KeyCaptureDialog::Show(HWND owner) {
    if (!CreateModeless(owner))
        return false;
    ShowWindow(Window(), SW_SHOWNOACTIVATE);
    return true;
}

HandlerResult KeyCaptureDialog::Initialise(const Message&) {
    CentreOnOwner();
    AcquireCaptureDevice(devices_);
    if (SetTimer(Window(), kPollTimer, kPollPeriodMilliseconds, nullptr) != 0) {
        stage_ = Stage::Waiting;
        silence_.emplace();
    }
    return FALSE;  // the focus stays where it is
}

void KeyCaptureDialog::CentreOnOwner() {
    // The template's centring uses the screen, which is the owner's place only until the player
    // moves the owner.
    const HWND owner = GetWindow(Window(), GW_OWNER);
    RECT ownerRect = {};
    RECT rect = {};
    if (owner == nullptr || !GetWindowRect(owner, &ownerRect) || !GetWindowRect(Window(), &rect)) {
        return;
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int x = ownerRect.left + (ownerRect.right - ownerRect.left - width) / 2;
    const int y = ownerRect.top + (ownerRect.bottom - ownerRect.top - height) / 2;
    SetWindowPos(Window(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HandlerResult KeyCaptureDialog::Poll(const Message& message) {
    if (message.wParam != kPollTimer)
        return std::nullopt;
    if (stage_ == Stage::Waiting)
        WaitForInput();
    else if (stage_ == Stage::Holding)
        WaitForRelease();
    return 0;
}

void KeyCaptureDialog::WaitForInput() {
    std::optional<CapturedInput> captured;
    if (FAILED(ReadCapturedInput(devices_, session_, captured))) {
        FailReading();
        return;
    }
    if (!captured)
        return;
    // Bound at once, and the window goes; a key keeps the keyboard silent until it is let go.
    captured_ = captured->code;
    bind_(captured_);
    if (devices_.controllerSelected) {
        Finish();
        return;
    }
    stage_ = Stage::Holding;
    End(1);
}

void KeyCaptureDialog::WaitForRelease() {
    if (!CapturedKeyHeld(devices_, captured_))
        Finish();
}

void KeyCaptureDialog::DeviceGone() {
    if (stage_ == Stage::Waiting)
        FailReading();
    else
        Finish();
}

void KeyCaptureDialog::FailReading() {
    const HWND owner = GetWindow(Window(), GW_OWNER);
    Finish();
    // Last, touching nothing of this object afterwards: the box runs a message loop of its own,
    // and the owner deletes this window whenever it starts another capture.
    ShowMessage(owner, Localise(texts::messages::kInputStateError),
                Localise(texts::messages::kErrorCaption), MB_OK | MB_ICONSTOP);
}

void KeyCaptureDialog::Finish() {
    KillTimer(Window(), kPollTimer);
    silence_.reset();
    stage_ = Stage::Finished;
    End(1);
}

HandlerResult KeyCaptureDialog::Relabel(const Message&) {
    TakeLanguageFromSettingsFile();
    // The text is drawn transparently: the background must be drawn again beneath a new one.
    if (SetItemTextIfChanged(Window(), IDC_CAPTURE_PROMPT, Localise(texts::capture::kPressKey))) {
        InvalidateRect(Window(), nullptr, TRUE);
    }
    return std::nullopt;  // the system does the painting itself
}
