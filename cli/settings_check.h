#pragma once
// What `tavrin-settings check` finds wrong with a settings file: everything that keeps the setup
// dialogs or the game from reading it as intended, one English sentence per problem, with the
// names of actions and inputs in `language`.

#include <cstdint>
#include <string>
#include <vector>

#include "settings/settings_file.h"

struct SettingsProblem {
    // What the problem is about, the same whatever the sentence says of it: "version",
    // "displayMode", "keyboard.jump" (the action's code), "controller input 33" (an input held
    // by the wrong actions).
    std::string subject;
    std::string text;
};

// `record` is the file's first 172 bytes as the dialogs read them, `fileSize` the whole file's.
// The display mode is looked at only while an adapter is saved and the mode is not the windowed
// one: the graphics setup and the game take the four display numbers from nowhere else.
std::vector<SettingsProblem> CheckSettings(const SettingsFile& record, std::uint64_t fileSize,
                                           int language);
