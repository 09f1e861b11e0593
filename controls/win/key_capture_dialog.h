#pragma once
// The small window shown while the player chooses a new input for one action (template 138). It
// polls the selected device every 10 ms and hands the first input that counts to its owner, the
// control setup dialog; it hides once that input is let go. The owner deletes it before the next
// capture starts, when the controller selection changes, when the selected controller is pulled
// out or comes back (DeviceGone first), and when it closes.
//
// It takes the keyboard's focus while it is shown: a key the player binds reaches this window,
// which does nothing with it, and never the binding button that was clicked (Space would click
// it again and start another capture) or the dialog manager (Enter would press OK). Keeping the
// focus until the key is released also keeps its key-up and repeats away from the dialog. The
// control setup dialog stays usable with the mouse. There is no time-out and no cancel key.

#include <functional>

#include "controls/capture.h"
#include "controls/input_code.h"
#include "controls/win/capture_reading.h"
#include "skin/win/skinned_dialog.h"

class KeyCaptureDialog : public MappedDialog<KeyCaptureDialog, SkinnedDialog> {
  public:
    // `bind` receives the captured code, once.
    KeyCaptureDialog(CaptureDevices devices, CaptureSession session,
                     std::function<void(InputCode)> bind);

    // Creates the window owned by `owner`, centred on it, and shows it with the keyboard's focus;
    // false when it could not be made.
    bool Show(HWND owner);
    // Whether the window still waits for an input.
    bool Waiting() const { return stage_ == Stage::Waiting; }
    // Whether it has bound an input and stays, with the focus, until that input is let go.
    bool Holding() const { return stage_ == Stage::Holding; }
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
    Stage stage_ = Stage::Finished;
    InputCode captured_ = kUnbound;
};
