#pragma once
// The control setup dialog (template 137): the keyboard or one game controller, and the binding
// of the nine actions. It reads the settings file when it opens and writes it on OK and whenever
// the player changes the controller selection; a click on a binding button starts a capture in a
// small window of its own (key_capture_dialog.h), which binds the first input the player gives.
//
// DirectInput is opened, and the controllers listed, just after the window's first paint, when
// the tooltips are made too: the dialog shows with its skin and the bindings of the file at once,
// and the list fills a moment later. Until then OK is disabled, and OK and the binding buttons do
// nothing.
//
// The controller list follows the controllers that are plugged in or pulled out while the dialog
// is open. The selection stays on the device the player chose, wherever the list now puts it; a
// selected controller that is pulled out stays selected with its bindings, shown as not
// connected, until it comes back. Following the devices never writes the settings file.

#include <windows.h>

#include <memory>

#include "base/win/tooltips.h"
#include "controls/bindings.h"
#include "controls/control_actions.h"
#include "controls/input_code.h"
#include "controls/win/device_notification.h"
#include "controls/win/input_system.h"
#include "controls/win/key_capture_dialog.h"
#include "settings/settings_file.h"
#include "skin/win/skinned_dialog.h"

class ControlSetupDialog : public MappedDialog<ControlSetupDialog, SkinnedDialog> {
  public:
    // DirectInput comes from `directInput`, or from the system when it is empty.
    explicit ControlSetupDialog(DirectInputFactory directInput = {});

  private:
    friend class MappedDialog<ControlSetupDialog, SkinnedDialog>;
    static const MessageMap<ControlSetupDialog> kMessageMap;

    HandlerResult Initialise(const Message& message);
    // After the first paint: the tooltips, then DirectInput.
    HandlerResult FinishOpening(const Message& message);
    // Opens DirectInput and fills the controller list; ends the dialog with the DirectInput
    // message when it cannot be opened.
    void OpenInput();
    // A click on one of the nine binding buttons; the range of their identifiers holds one
    // other control, which binds nothing.
    void BindingClicked(int buttonId);
    void ControllerChanged();
    void RestoreDefaults();
    void Calibrate();
    void Accept();
    void Cancel();
    void IgnoreCancelCommand();
    HandlerResult Relabel(const Message& message);
    HandlerResult DeviceChanged(const Message& message);
    HandlerResult TimerElapsed(const Message& message);
    HandlerResult Destroyed(const Message& message);

    // Fills the controller list: the keyboard, then the controllers found, and selects the
    // stored controller when it is attached.
    void FillControllerList();
    // The list as the input system has it, with the selected item selected.
    void ShowControllerList();
    // Lists the controllers anew after devices came or went.
    void FollowAttachedControllers();
    // The selected controller's instance GUID; zero for the keyboard.
    Guid SelectedInstance() const;
    // Whether a controller is selected that is not plugged in.
    bool SelectedControllerAway() const;
    void StartCapture(ControlAction action);
    void BindCaptured(const CaptureRequest& request, InputCode code);
    // The captions of all nine binding buttons, and Calibrate enabled for a controller only.
    void RefreshCaptions();
    void SetCaption(ControlAction action);
    void WriteSettings();

    SettingsFile record_;
    ControlBindings bindings_{record_};
    DirectInputFactory directInput_;
    InputSystem input_;
    bool inputOpen_ = false;
    DeviceNotification deviceNotification_;
    // The window of the last capture, until the next one starts; its devices come from input_.
    std::unique_ptr<KeyCaptureDialog> capture_;
    Tooltips tooltips_;
};
