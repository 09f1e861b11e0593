#pragma once
// The small window shown while the player chooses a new input for one action (template 138). It
// polls the selected device every 10 ms, hands the first input that counts to its owner, the
// control setup dialog, and hides. The owner deletes it before the next capture starts, when the
// controller selection changes and when it closes.
//
// It is created disabled and shown without activation: the control setup dialog keeps the focus
// and stays usable while the window waits. There is no time-out and no cancel key.

#include <functional>

#include "app/win/dialog.h"
#include "controls/capture.h"
#include "controls/input_code.h"
#include "controls/win/capture_reading.h"

class KeyCaptureDialog : public MappedDialog<KeyCaptureDialog> {
  public:
    // `bind` receives the captured code, once.
    KeyCaptureDialog(CaptureDevices devices, CaptureSession session,
                     std::function<void(InputCode)> bind);

    // Creates the window owned by `owner`, centred on it, and shows it without activating it;
    // false when it could not be made.
    bool Show(HWND owner);
    // Whether the window still waits for an input.
    bool Waiting() const { return polling_; }

  private:
    friend class MappedDialog<KeyCaptureDialog>;
    static const MessageMap<KeyCaptureDialog> kMessageMap;

    HandlerResult Initialise(const Message& message);
    HandlerResult Poll(const Message& message);
    HandlerResult Relabel(const Message& message);

    void CentreOnOwner();
    void StopPolling();

    CaptureDevices devices_;
    CaptureSession session_;
    std::function<void(InputCode)> bind_;
    bool polling_ = false;
};
