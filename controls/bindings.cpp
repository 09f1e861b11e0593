#include "controls/bindings.h"

#include <algorithm>

namespace {

std::size_t FileIndexOf(ControlAction action) {
    return static_cast<std::size_t>(FileActionOf(action));
}

// The actions whose captions an operation touched, reported once each in dialog order.
class TouchedActions {
  public:
    void Add(ControlAction action) {
        touched_[static_cast<std::size_t>(DialogIndexOf(action))] = true;
    }

    std::vector<ControlAction> InDialogOrder() const {
        std::vector<ControlAction> actions;
        for (ControlAction action : kControlActions) {
            if (touched_[static_cast<std::size_t>(DialogIndexOf(action))])
                actions.push_back(action);
        }
        return actions;
    }

  private:
    std::array<bool, kControlActionCount> touched_{};
};

}  // namespace

bool BindingSet::AllUnbound() const {
    return std::all_of(codes.begin(), codes.end(), [](InputCode code) { return code == kUnbound; });
}

BindingDevice ControlBindings::SelectedDevice() const {
    return selectedController == 0 ? BindingDevice::Keyboard : BindingDevice::Controller;
}

BindingSet& ControlBindings::ActiveSet() {
    return SelectedDevice() == BindingDevice::Keyboard ? keyboardSet : controllerSet;
}

const BindingSet& ControlBindings::ActiveSet() const {
    return SelectedDevice() == BindingDevice::Keyboard ? keyboardSet : controllerSet;
}

Bindings& ControlBindings::RecordArray(BindingDevice device) {
    return device == BindingDevice::Keyboard ? record.keyboardBindings : record.controllerBindings;
}

void ControlBindings::LoadSets() {
    for (ControlAction action : kControlActions) {
        keyboardSet[action] = record.keyboardBindings[FileIndexOf(action)];
        controllerSet[action] = record.controllerBindings[FileIndexOf(action)];
    }
}

void ControlBindings::RestoreDefaults() {
    ApplyDefaultBindings(record);
    LoadSets();
}

bool ControlBindings::AllUnbound() const {
    // A stored GUID names a controller as soon as its first 8 bytes are not all zero.
    const bool controllerNamed = !record.controllerDevice.FirstHalfIsZero();
    return (controllerNamed ? controllerSet : keyboardSet).AllUnbound();
}

bool ControlBindings::LoadAtStart(bool fileOpened, bool versionPasses) {
    if (fileOpened)
        LoadSets();
    if (fileOpened && versionPasses && !AllUnbound())
        return false;
    RestoreDefaults();
    return true;
}

CaptureRequest ControlBindings::StartCapture(ControlAction action) const {
    return {action, SelectedDevice()};
}

std::int32_t& ControlBindings::TargetField(const CaptureRequest& request) {
    return RecordArray(request.target)[FileIndexOf(request.action)];
}

std::vector<ControlAction> ControlBindings::ApplyBinding(const CaptureRequest& request,
                                                         InputCode code) {
    const BindingDevice selected = SelectedDevice();
    // A key in the controller's bindings, or a button in the keyboard's, binds nothing the game
    // can use, and would make the shown set disagree with the record.
    if (request.target != selected)
        return {};
    BindingSet& set = ActiveSet();
    Bindings& selectedArray = RecordArray(selected);
    TouchedActions touched;
    const auto clear = [&](ControlAction action) {
        set[action] = kUnbound;
        selectedArray[FileIndexOf(action)] = kUnbound;
        touched.Add(action);
    };

    // Whoever had the input on this device loses it; an axis is always held by a whole pair, so
    // the pair goes. Unbound is no input: it is taken from nobody. Keys and controller inputs
    // have codes of their own, so the other device's bindings can hold the code only in a damaged
    // file, and nothing of this device is taken away for it.
    for (ControlAction action : kControlActions) {
        if (code == kUnbound || set[action] != code)
            continue;
        clear(action);
        if (IsAxis(code)) {
            if (const std::optional<ControlAction> partner = PartnerOf(action))
                clear(*partner);
        }
    }

    TargetField(request) = code;
    set[request.action] = code;
    touched.Add(request.action);

    if (selected == BindingDevice::Keyboard)
        return touched.InDialogOrder();
    const std::optional<ControlAction> partner = PartnerOf(request.action);
    if (!partner)
        return touched.InDialogOrder();

    if (IsAxis(code)) {
        controllerSet[*partner] = code;
        record.controllerBindings[FileIndexOf(request.action)] = code;
        record.controllerBindings[FileIndexOf(*partner)] = code;
        touched.Add(*partner);
    } else if (IsAxis(controllerSet[*partner])) {
        // Half an axis is no binding: the partner would steer one way only.
        controllerSet[*partner] = kUnbound;
        record.controllerBindings[FileIndexOf(*partner)] = kUnbound;
        touched.Add(*partner);
    }
    return touched.InDialogOrder();
}

std::u16string ControlBindings::Caption(ControlAction action, const KeyCharacter& keyCharacter,
                                        int language) const {
    return DescribeInputCode(ActiveSet()[action], keyCharacter, language);
}
