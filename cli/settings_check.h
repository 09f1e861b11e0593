#pragma once
// What `tavrin-settings check` finds wrong with a settings file: everything that keeps the setup
// dialogs or the game from reading it as intended, one English sentence per problem, with the
// names of actions and inputs in `language`.

#include <cstdint>
#include <string>
#include <vector>

#include "settings/settings_file.h"

// `record` is the file's first 172 bytes as the dialogs read them, `fileSize` the whole file's.
// The display mode is looked at only while an adapter is saved and the mode is not the windowed
// one: the graphics setup and the game take the four display numbers from nowhere else.
std::vector<std::string> CheckSettings(const SettingsFile& record, std::uint64_t fileSize,
                                       int language);
