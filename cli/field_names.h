#pragma once
// The words by which the settings tool names the file's contents: the nine actions, languages
// and on/off switches, both ways (device GUIDs: settings/guid_text.h).

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "texts/local_text.h"
#include "settings/settings_file.h"

struct ActionField {
    SettingsAction action;
    // Its key in the JSON output and in set's field names ("keyboard.turnLeft").
    const char* key;
    // The label the control setup shows beside its binding button.
    const LocalText* label;
};

// The nine actions in the file's order.
extern const std::array<ActionField, kActionCount> kActionFields;

// The action whose key is `key`, ignoring case, "-" and "_" ("turn-left" is "turnLeft").
std::optional<SettingsAction> ActionWithKey(std::string_view key);

// `text` in lower case without "-" and "_": how field names and words are compared.
std::string Simplified(std::string_view text);

// The two-letter codes of the five languages, in number order: en, fr, de, it, es.
extern const std::array<const char*, kLanguageCount> kLanguageCodes;

// A language given as its number (0 to 4) or its code; nothing for anything else.
std::optional<int> LanguageFromWord(std::string_view word);

// The name of `number` in `language` ("Deutsch" for 2 in German), in UTF-8; nothing for a number
// that is no language.
std::optional<std::string> LanguageName(std::int32_t number, int language);

// on/off, yes/no, true/false, 1/0; nothing for anything else.
std::optional<bool> ParseSwitch(std::string_view text);
