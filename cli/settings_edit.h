#pragma once
// What `tavrin-settings set` and `reset` change in a settings record. Every change leaves the
// record as the dialogs would write it: version 2.1, the controls constant 39 once bindings or the
// controller are written, and every field not named exactly as it was.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_file.h"

// One FIELD=VALUE of the command line, in UTF-8.
struct Assignment {
    std::string field;
    std::string value;
};

// Splits "FIELD=VALUE" at its first "="; nothing when there is none.
std::optional<Assignment> ParseAssignment(std::string_view text);

struct EditOutcome {
    // Why the assignments were refused; the record is then exactly as it was.
    std::optional<std::string> refusal;
    // One line per binding that changed without being named: taken away by a binding of its
    // input to another action, or given to the other half of an axis pair.
    std::vector<std::string> notes;
};

// Applies the assignments in their order, all or none. Values are the names `show` prints in
// `language`, or in English.
EditOutcome ApplyAssignments(SettingsFile& record, const std::vector<Assignment>& assignments,
                             int language);

// The control setup's Defaults: both binding sets to their defaults; the controller and every
// other field stay.
void ResetControls(SettingsFile& record);

// A fresh file for `reset all`: no saved sound device, adapter, display mode or controller, both
// switches off, the reserved bytes zero, the binding defaults; the language stays when it is one.
SettingsFile FreshSettings(const SettingsFile& old);
