#pragma once
// The small window shown while the player chooses a new input for one action (template 138). It
// polls the selected device every 10 ms, hands the first input that counts to its owner, the
// control setup dialog, and hides. The owner deletes it before the next capture starts, when
// the controller selection changes, when the selected controller is pulled out or comes back
// (DeviceGone first), and when it closes.
//
// It never takes the keyboard's focus or the mouse: the control setup dialog stays usable with
// the mouse. Instead no key reaches the windows of the control setup while it waits
// (keyboard_silence.h), and after a key is taken until that key is let go, so that its repeats
// and its release reach nothing either. There is no time-out and no cancel key.

#include <functional>
#include <optional>

#include "controls/capture.h"
#include "controls/input_code.h"
#include "controls/win/capture_reading.h"
#include "controls/win/keyboard_silence.h"
#include "skin/win/skinned_dialog.h"

class KeyCaptureDialog : public MappedDialog<KeyCaptureDialog, SkinnedDialog> {
  public:
    // `bind` receives the captured code, once.
    KeyCaptureDialog(CaptureDevices devices, CaptureSession session,
                     std::function<void(InputCode)> bind);

    // Creates the window owned by `owner`, centred on it, and shows it without taking the focus;
    // false when it could not be made.
    bool Show(HWND owner);
    // The device it reads has gone: it reads nothing more and ends. One still waiting ends as a
    // failed read does, with the message, which runs a message loop of its own: the caller
    // calls this last, and must have nothing left to do with the capture afterwards.
    void DeviceGone();

  private:
    friend class MappedDialog<KeyCaptureDialog, SkinnedDialog>;
    static const MessageMap<KeyCaptureDialog> kMessageMap;

    enum class Stage { Waiting, Holding, Finished };

    HandlerResult Initialise(const Message& message);
    HandlerResult Poll(const Message& message);
    HandlerResult Relabel(const Message& message);

    void CentreOnOwner();
    void WaitForInput();
    void WaitForRelease();
    void Finish();
    void FailReading();

    CaptureDevices devices_;
    CaptureSession session_;
    std::function<void(InputCode)> bind_;
    // Waiting: the capture reads the device. Holding: a key was bound and is still down.
    Stage stage_ = Stage::Finished;
    InputCode captured_ = kUnbound;
    // While waiting and holding.
    std::optional<KeyboardSilence> silence_;
};
