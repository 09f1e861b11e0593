#pragma once
// The nine bindable actions as the control setup dialog shows them. The dialog's order is not the
// settings file's (SettingsAction): there Jump and Search come before Tav. Everything the dialog
// and the capture keep per action is indexed in dialog order; only the record's binding arrays
// are in file order, and FileActionOf is the one place that translates.

#include <array>
#include <optional>

#include "settings/settings_file.h"

enum class ControlAction : int {
    Left,
    Right,
    Forward,
    Backward,
    Tav,
    Jump,
    Search,
    TurnLeft,
    TurnRight,
};
inline constexpr int kControlActionCount = kActionCount;

// All nine in dialog order.
inline constexpr std::array<ControlAction, kControlActionCount> kControlActions = {
    ControlAction::Left,     ControlAction::Right,    ControlAction::Forward,
    ControlAction::Backward, ControlAction::Tav,      ControlAction::Jump,
    ControlAction::Search,   ControlAction::TurnLeft, ControlAction::TurnRight,
};

// The order in which the dialog sets the nine binding captions (buttons 1033, 1034, 1035, 1036,
// 1038, 1040, 1037, 1041, 1042). It happens to be the file order.
inline constexpr std::array<ControlAction, kControlActionCount> kCaptionRefreshOrder = {
    ControlAction::Left,     ControlAction::Right,    ControlAction::Forward,
    ControlAction::Backward, ControlAction::Jump,     ControlAction::Search,
    ControlAction::Tav,      ControlAction::TurnLeft, ControlAction::TurnRight,
};

// The dialog index (0 ... 8) of an action.
constexpr int DialogIndexOf(ControlAction action) {
    return static_cast<int>(action);
}

// Where the settings file keeps the action's binding in both of its binding arrays.
SettingsAction FileActionOf(ControlAction action);
ControlAction ControlActionOf(SettingsAction action);

// The control id of the action's binding button in the control setup dialog (1033 ... 1042, the
// identifiers of resources/resource_ids.h), and the action of a binding button's id; nothing for
// any other control.
int BindingButtonId(ControlAction action);
std::optional<ControlAction> ActionOfButton(int controlId);

// The other half of an axis pair (Left with Right, Forward with Backward, Turn Left with Turn
// Right); nothing for Tav, Jump and Search. A controller axis is always bound to both halves.
std::optional<ControlAction> PartnerOf(ControlAction action);

// Whether the action accepts a controller axis: exactly the six paired actions.
bool IsDirectional(ControlAction action);
