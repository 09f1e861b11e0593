#include "controls/capture.h"

#include <cstdlib>
#include <utility>

namespace {

bool IsDown(std::uint8_t state) {
    return (state & kPressedBit) != 0;
}

bool BeyondThreshold(std::int32_t value) {
    return value > kAxisThreshold || value < -kAxisThreshold;
}

// A captured controller input; its name is the one a binding button shows for its code, which
// needs no keyboard layout.
CapturedInput ControllerInput(InputCode code, int language) {
    return {code, DescribeInputCode(code, KeyCharacter{}, language)};
}

}  // namespace

std::optional<CapturedInput> DecideKeyboardCapture(const KeyboardState& keys,
                                                   const KeyCharacter& keyCharacter, int language) {
    for (int scanCode = 0; scanCode < kScanCodeCount; ++scanCode) {
        if (!IsDown(keys[static_cast<std::size_t>(scanCode)]))
            continue;
        std::optional<std::u16string> name = KeyName(scanCode, keyCharacter, language);
        if (!name)
            return std::nullopt;
        return CapturedInput{KeyCode(scanCode), std::move(*name)};
    }
    return std::nullopt;
}

bool IsHeld(InputCode code, const KeyboardState& keys) {
    const int scanCode = ScanCodeOf(code);
    return IsKey(code) && scanCode < kScanCodeCount &&
           IsDown(keys[static_cast<std::size_t>(scanCode)]);
}

CaptureSession::CaptureSession(ControlAction action, KeyCharacter keyCharacter)
    : action_(action), keyCharacter_(std::move(keyCharacter)) {}

std::optional<CapturedInput> CaptureSession::ReadKeyboard(const KeyboardState& keys, int language) {
    // A key down now counts only if it was up at an earlier tick; what each shows at this tick is
    // remembered for the next ones whatever is taken.
    KeyboardState counted{};
    for (std::size_t scanCode = 0; scanCode < keys.size(); ++scanCode) {
        if (!IsDown(keys[scanCode]))
            keySeenUp_[scanCode] = true;
        else if (keySeenUp_[scanCode])
            counted[scanCode] = keys[scanCode];
    }
    return DecideKeyboardCapture(counted, keyCharacter_, language);
}

std::optional<CapturedInput> CaptureSession::ReadController(const ControllerState& state,
                                                            int language) {
    // As for keys; an axis that crosses now counts only if it was near its centre at an earlier
    // tick.
    std::array<bool, kButtonCount> pressed{};
    for (std::size_t button = 0; button < state.buttons.size(); ++button) {
        if (!IsDown(state.buttons[button]))
            buttonSeenUp_[button] = true;
        else
            pressed[button] = buttonSeenUp_[button];
    }
    std::optional<InputCode> crossedAxis;
    for (int axis = 0; axis < kAxisCount; ++axis) {
        const auto at = static_cast<std::size_t>(axis);
        if (!BeyondThreshold(state.axes[at])) {
            axisSeenNearCentre_[at] = true;
        } else if (axisSeenNearCentre_[at] && !crossedAxis) {
            crossedAxis = AxisCode(static_cast<Axis>(axis));
        }
    }

    if (pressed[0])
        return ControllerInput(ButtonCode(1), language);
    if (crossedAxis && IsDirectional(action_))
        return ControllerInput(*crossedAxis, language);
    for (int number = 2; number <= kButtonCount; ++number) {
        if (pressed[static_cast<std::size_t>(number - 1)])
            return ControllerInput(ButtonCode(number), language);
    }
    return std::nullopt;
}
