#include "controls/control_actions.h"

#include "resources/resource_ids.h"

namespace {

struct ActionRow {
    SettingsAction fileAction;
    int buttonId;
    std::optional<ControlAction> partner;
};

// One row per action, in dialog order.
constexpr std::array<ActionRow, kControlActionCount> kActionRows = {{
    {SettingsAction::Left, IDC_BIND_LEFT, ControlAction::Right},
    {SettingsAction::Right, IDC_BIND_RIGHT, ControlAction::Left},
    {SettingsAction::Forward, IDC_BIND_FORWARD, ControlAction::Backward},
    {SettingsAction::Backward, IDC_BIND_BACKWARD, ControlAction::Forward},
    {SettingsAction::Tav, IDC_BIND_TAV, std::nullopt},
    {SettingsAction::Jump, IDC_BIND_JUMP, std::nullopt},
    {SettingsAction::Search, IDC_BIND_SEARCH, std::nullopt},
    {SettingsAction::TurnLeft, IDC_BIND_TURN_LEFT, ControlAction::TurnRight},
    {SettingsAction::TurnRight, IDC_BIND_TURN_RIGHT, ControlAction::TurnLeft},
}};

constexpr const ActionRow& RowOf(ControlAction action) {
    return kActionRows[static_cast<std::size_t>(DialogIndexOf(action))];
}

// A pair is one pair from either half, and no two actions share a binding slot in the file.
constexpr bool PairsAreMutual() {
    for (ControlAction action : kControlActions) {
        const std::optional<ControlAction> partner = RowOf(action).partner;
        if (partner && (*partner == action || RowOf(*partner).partner != action))
            return false;
    }
    return true;
}
constexpr bool FileActionsAreDistinct() {
    for (std::size_t i = 0; i < kActionRows.size(); ++i) {
        for (std::size_t j = i + 1; j < kActionRows.size(); ++j) {
            if (kActionRows[i].fileAction == kActionRows[j].fileAction)
                return false;
        }
    }
    return true;
}
static_assert(PairsAreMutual());
static_assert(FileActionsAreDistinct());

}  // namespace

SettingsAction FileActionOf(ControlAction action) {
    return RowOf(action).fileAction;
}

ControlAction ControlActionOf(SettingsAction fileAction) {
    for (ControlAction action : kControlActions) {
        if (RowOf(action).fileAction == fileAction)
            return action;
    }
    return ControlAction::Left;  // not reached: every file action has a row
}

int BindingButtonId(ControlAction action) {
    return RowOf(action).buttonId;
}

std::optional<ControlAction> ActionOfButton(int controlId) {
    for (ControlAction action : kControlActions) {
        if (RowOf(action).buttonId == controlId)
            return action;
    }
    return std::nullopt;
}

std::optional<ControlAction> PartnerOf(ControlAction action) {
    return RowOf(action).partner;
}

bool IsDirectional(ControlAction action) {
    return PartnerOf(action).has_value();
}
