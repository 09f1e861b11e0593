#include "cli/field_names.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "app/texts/control_texts.h"
#include "app/texts/launcher_texts.h"
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

std::string FormatGuid(const Guid& guid) {
    const auto& b = guid.bytes;
    char text[39] = {};
    std::snprintf(text, sizeof text,
                  "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", b[3],
                  b[2], b[1], b[0], b[5], b[4], b[7], b[6], b[8], b[9], b[10], b[11], b[12], b[13],
                  b[14], b[15]);
    return text;
}

std::optional<Guid> ParseGuid(std::string_view text) {
    if (text.size() == 38 && text.front() == '{' && text.back() == '}')
        text = text.substr(1, 36);
    if (text.size() != 36)
        return std::nullopt;
    // Byte i of the GUID comes from the two digits at kDigitsOf[i] of the text: the first three
    // groups are little-endian integers, so their bytes are read from the right.
    constexpr std::array<std::size_t, 16> kDigitsOf = {6,  4,  2,  0,  11, 9,  16, 14,
                                                       19, 21, 24, 26, 28, 30, 32, 34};
    for (std::size_t dash : {8, 13, 18, 23}) {
        if (text[dash] != '-')
            return std::nullopt;
    }
    const auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    Guid guid;
    for (std::size_t i = 0; i < guid.bytes.size(); ++i) {
        const int high = digit(text[kDigitsOf[i]]);
        const int low = digit(text[kDigitsOf[i] + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        guid.bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return guid;
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
