#pragma once
// What `tavrin-settings show` prints: every field of the settings file in words, as text or as one
// JSON object.

#include <cstdint>
#include <optional>
#include <string>

#include "settings/settings_file.h"

// A settings file as the tool read it.
struct ShownFile {
    std::string path;  // UTF-8
    std::uint64_t size = kSettingsFileSize;
    SettingsFile record;  // its first 172 bytes, as the dialogs read them
};

// The language the names come in: `chosen` when the command line chose one, else the file's own
// language when it is one, else English.
int NamesLanguage(const SettingsFile& record, int chosen);
inline constexpr int kNoLanguageChosen = -1;

// The version as a number: "2.1" for the current one.
std::string VersionText(const SettingsFile& record);

// The display mode as the graphics setup labels it ("1024 x 768 x 32 (24z)"), or its "Windowed"
// entry in `language`, in UTF-8; nothing when no adapter is saved, since the graphics setup and the
// game then take none of the display fields.
std::optional<std::string> DisplayModeText(const SettingsFile& record, int language);

// Lines of "label  value", names in `language`.
std::string ShowText(const ShownFile& file, int language);

// One JSON object; its keys are listed in the tool's --help.
std::string ShowJson(const ShownFile& file, int language);
