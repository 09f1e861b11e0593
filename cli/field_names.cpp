#include "cli/field_names.h"

#include <algorithm>
#include <cctype>

#include "texts/control_texts.h"
#include "texts/launcher_texts.h"
#include "cli/utf8_text.h"

namespace labels = texts::controls;

const std::array<ActionField, kActionCount> kActionFields = {{
    {SettingsAction::Left, "left", &labels::kLeftLabel},
    {SettingsAction::Right, "right", &labels::kRightLabel},
    {SettingsAction::Forward, "forward", &labels::kForwardLabel},
    {SettingsAction::Backward, "backward", &labels::kBackwardLabel},
    {SettingsAction::Jump, "jump", &labels::kJumpLabel},
    {SettingsAction::Search, "search", &labels::kSearchLabel},
    {SettingsAction::Tav, "tav", &labels::kTavLabel},
    {SettingsAction::TurnLeft, "turnLeft", &labels::kTurnLeftLabel},
    {SettingsAction::TurnRight, "turnRight", &labels::kTurnRightLabel},
}};

const std::array<const char*, kLanguageCount> kLanguageCodes = {"en", "fr", "de", "it", "es"};

std::string Simplified(std::string_view text) {
    std::string simple;
    for (char c : text) {
        if (c != '-' && c != '_')
            simple.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    return simple;
}

std::optional<SettingsAction> ActionWithKey(std::string_view key) {
    const std::string wanted = Simplified(key);
    for (const ActionField& field : kActionFields) {
        if (Simplified(field.key) == wanted)
            return field.action;
    }
    return std::nullopt;
}

std::optional<int> LanguageFromWord(std::string_view word) {
    for (int number = 0; number < kLanguageCount; ++number) {
        if (word == std::to_string(number) || Simplified(word) == kLanguageCodes[number])
            return number;
    }
    return std::nullopt;
}

std::optional<std::string> LanguageName(std::int32_t number, int language) {
    if (!IsLanguageNumber(number))
        return std::nullopt;
    return Utf8FromCodePage1252(texts::launcher::kLanguageNames[number].In(language));
}

std::optional<bool> ParseSwitch(std::string_view text) {
    const std::string word = Simplified(text);
    for (const char* on : {"on", "yes", "true", "1"}) {
        if (word == on)
            return true;
    }
    for (const char* off : {"off", "no", "false", "0"}) {
        if (word == off)
            return false;
    }
    return std::nullopt;
}
