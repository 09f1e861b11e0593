#pragma once
// What the control setup dialog knows about the nine bindings while it is open, and every rule
// that changes them: loading from the settings record, the defaults, and the binding of a
// captured input with the conflicts it resolves. The dialog only shows the result: each
// operation here tells it which binding buttons need their captions set again.
//
// The settings record is the authoritative copy. The dialog keeps both binding sets beside it in
// dialog order, mirroring the record's two arrays (file order), and every change here writes
// both. A typical use by the dialog:
//
//     ControlBindings bindings(record);            // both sets empty, keyboard selected
//     // read the file; report an out-of-date one
//     if (bindings.LoadAtStart(opened, versionPasses)) ...   // defaults were restored: repaint
//     // after the controller list is filled:
//     bindings.selectedController = item;
//     bindings.LoadSets();
//     for (ControlAction action : kCaptionRefreshOrder)
//         SetCaption(action, bindings.Caption(action, keyCharacter));
//
//     // click on a binding button
//     const CaptureRequest request = bindings.StartCapture(action);
//     // ... the capture window captures `code` (capture.h) ...
//     for (ControlAction changed : bindings.ApplyBinding(request, code))
//         SetCaption(changed, bindings.Caption(changed, keyCharacter));

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "texts/local_text.h"
#include "controls/control_actions.h"
#include "controls/input_code.h"
#include "settings/settings_file.h"

// Nine codes in dialog order. Indexed by action only, so that it cannot be mixed up with the
// record's arrays, which are in file order.
struct BindingSet {
    std::array<InputCode, kControlActionCount> codes{};

    InputCode& operator[](ControlAction action) {
        return codes[static_cast<std::size_t>(DialogIndexOf(action))];
    }
    InputCode operator[](ControlAction action) const {
        return codes[static_cast<std::size_t>(DialogIndexOf(action))];
    }
    // Whether nothing at all is bound.
    bool AllUnbound() const;

    friend bool operator==(const BindingSet&, const BindingSet&) = default;
};

// Which of the record's two binding arrays a binding lives in.
enum class BindingDevice { Keyboard, Controller };

// One capture, fixed when its binding button is clicked: the action being set, and the record
// array the captured code is written into, which is the one of the device selected at that
// moment. A change of the controller list while the capture window waits does not move it: the
// capture is then refused (ApplyBinding), as its input belongs to the other device.
struct CaptureRequest {
    ControlAction action = ControlAction::Left;
    BindingDevice target = BindingDevice::Keyboard;

    int ButtonId() const { return BindingButtonId(action); }
    friend bool operator==(const CaptureRequest&, const CaptureRequest&) = default;
};

class ControlBindings {
  public:
    // Both sets start unbound and the keyboard is selected. `settings` must outlive this object.
    explicit ControlBindings(SettingsFile& settings) : record(settings) {}

    SettingsFile& record;
    BindingSet keyboardSet;
    BindingSet controllerSet;
    // The controller list's item in use: 0 the keyboard, 1 ... 9 a controller.
    int selectedController = 0;

    BindingDevice SelectedDevice() const;
    // The set the binding buttons show: the keyboard's or the controller's.
    BindingSet& ActiveSet();
    const BindingSet& ActiveSet() const;
    // A binding array of the record (file order).
    Bindings& RecordArray(BindingDevice device);
    // The record array of the selected device.
    Bindings& ActiveRecordArray() { return RecordArray(SelectedDevice()); }

    // Copies both record arrays into the sets, file order into dialog order. The captions of all
    // nine buttons then need setting.
    void LoadSets();

    // Both sets and both record arrays to the binding defaults, the record's version to 2.1 and
    // its controls constant to 39; the controller GUID and every other field stay as they are.
    // The captions of all nine buttons then need setting.
    void RestoreDefaults();

    // Whether the record counts as unbound at the dialog's start: all nine codes of the
    // controller set are 0 when the record names a controller (its GUID's first 8 bytes are not
    // all zero), all nine of the keyboard set otherwise.
    bool AllUnbound() const;

    // The dialog's start after reading the settings file: a file that opened is loaded into the
    // sets, outdated or not; then the defaults are restored when the file did not open, failed
    // the version test, or left everything unbound (AllUnbound). Answers whether the defaults
    // were restored (the dialog then repaints). Reporting an outdated file is the caller's
    // business. Either way all nine captions need setting.
    bool LoadAtStart(bool fileOpened, bool versionPasses);

    // The capture a click on the action's binding button starts, aimed at the record array of
    // the device selected now.
    CaptureRequest StartCapture(ControlAction action) const;

    // The record field a capture writes: the action's entry, at its file index, in the
    // request's record array.
    std::int32_t& TargetField(const CaptureRequest& request);

    // Binds the captured `code` to the request's action and takes it away from wherever else it
    // was bound, when the request aims at the device selected now; a request made before the
    // selection changed is refused: nothing changes and no action is answered. Otherwise:
    //  1. every action bound to `code` in the selected set is cleared (there and in the selected
    //     device's record array); for an axis its partner is cleared too. The action being set is
    //     not exempt. Unbound (code 0) is no input and clears nothing;
    //  2. `code` goes into the request's target field and into the selected set;
    //  3. with a controller selected and a paired action: an axis binds the partner too (both
    //     halves of a pair always share an axis); a button frees a partner that is bound to an
    //     axis, and leaves one bound to a button alone.
    // Answers the actions whose captions must be set again, in dialog order, each once.
    std::vector<ControlAction> ApplyBinding(const CaptureRequest& request, InputCode code);

    // The caption of the action's binding button: the name of its code in the active set.
    std::u16string Caption(ControlAction action, const KeyCharacter& keyCharacter,
                           int language = CurrentLanguage()) const;

    // The Calibrate button works only for a controller.
    bool CalibrateEnabled() const { return selectedController != 0; }
};
