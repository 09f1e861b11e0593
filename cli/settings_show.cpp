#include "cli/settings_show.h"

#include <cstdio>
#include <optional>

#include <nlohmann/json.hpp>

#include "texts/graphics_texts.h"
#include "texts/key_names.h"
#include "cli/field_names.h"
#include "cli/input_names.h"
#include "cli/utf8_text.h"
#include "settings/guid_text.h"
#include "setup/display_modes.h"

namespace {

constexpr std::size_t kLabelWidth = 20;

// The number of characters of a UTF-8 text: its bytes that begin one.
std::size_t CharacterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

class TextLines {
  public:
    void Line(std::string_view label, std::string_view value, int indent = 0) {
        std::string line(static_cast<std::size_t>(indent), ' ');
        line += label;
        const std::size_t used = indent + CharacterCount(label);
        line.append(used < kLabelWidth ? kLabelWidth - used : 1, ' ');
        line += value;
        text_ += line + "\n";
    }
    void Heading(std::string_view heading) { text_ += std::string(heading) + "\n"; }
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
};

// "on" or "off", as the dialogs' check boxes take any value but 0 as ticked; a value other than 0
// or 1 is shown as well.
std::string SwitchText(std::int32_t value) {
    std::string text = value != 0 ? "on" : "off";
    if (value != 0 && value != 1)
        text += " (" + std::to_string(value) + ")";
    return text;
}

std::string Label(const LocalText& text, int language) {
    return Utf8FromCodePage1252(text.In(language));
}

const Bindings& BindingsOf(const SettingsFile& record, bool keyboard) {
    return keyboard ? record.keyboardBindings : record.controllerBindings;
}

}  // namespace

int NamesLanguage(const SettingsFile& record, int chosen) {
    if (IsLanguageNumber(chosen))
        return chosen;
    return IsLanguageNumber(record.language) ? record.language : kEnglish;
}

std::string VersionText(const SettingsFile& record) {
    if (PassesVersionTest(record))
        return "2.1";
    // Enough digits to tell any other float from 2.1.
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(record.version));
    return text;
}

std::optional<std::string> DisplayModeText(const SettingsFile& record, int language) {
    if (record.displayAdapter.IsZero())
        return std::nullopt;
    if (record.windowed != 0)
        return Label(texts::graphics::kWindowed, language);
    if (record.displayWidth >= 0 && record.displayHeight >= 0) {
        return ModeLabel(static_cast<std::uint32_t>(record.displayWidth),
                         static_cast<std::uint32_t>(record.displayHeight), record.colourBits,
                         record.depthBits);
    }
    // Only a damaged file holds a negative size; the graphics setup lists no such mode.
    return std::to_string(record.displayWidth) + " x " + std::to_string(record.displayHeight) +
           " x " + std::to_string(record.colourBits) + " (" + std::to_string(record.depthBits) +
           "z)";
}

std::string ShowText(const ShownFile& file, int language) {
    const SettingsFile& record = file.record;
    TextLines lines;

    std::string size = std::to_string(file.size) + " bytes";
    if (file.size != kSettingsFileSize)
        size += " (a settings file has " + std::to_string(kSettingsFileSize) + ")";
    lines.Line("File", file.path + ", " + size);

    std::string version = VersionText(record);
    version += PassesVersionTest(record) ? " (current)"
                                         : " (not 2.1: the setup dialogs read it as out of date)";
    lines.Line("Version", version);

    const std::optional<std::string> languageName = LanguageName(record.language, language);
    lines.Line("Language", languageName
                               ? *languageName + " (" + std::to_string(record.language) + ")"
                               : std::to_string(record.language) + " (no such language)");

    lines.Line("Sound device",
               record.soundDevice.IsZero() ? "default" : FormatGuid(record.soundDevice));
    lines.Line("Display adapter",
               record.displayAdapter.IsZero() ? "none saved" : FormatGuid(record.displayAdapter));
    lines.Line("Display mode", DisplayModeText(record, language).value_or("none saved"));
    lines.Line("Compatibility mode", SwitchText(record.compatibilityMode));
    lines.Line("High detail", SwitchText(record.highDetail));
    lines.Line("Controller", record.controllerDevice.FirstHalfIsZero()
                                 ? Label(texts::keys::kKeyboard, language)
                                 : FormatGuid(record.controllerDevice));

    for (const bool keyboard : {true, false}) {
        lines.Heading(keyboard ? "Keyboard bindings" : "Controller bindings");
        const Bindings& bindings = BindingsOf(record, keyboard);
        for (const ActionField& field : kActionFields) {
            lines.Line(Label(*field.label, language),
                       InputName(bindings[static_cast<std::size_t>(field.action)], language), 2);
        }
    }
    return lines.Text();
}

std::string ShowJson(const ShownFile& file, int language) {
    using Json = nlohmann::ordered_json;
    const SettingsFile& record = file.record;
    const auto guidOrNull = [](const Guid& guid, bool none) {
        return none ? Json(nullptr) : Json(FormatGuid(guid));
    };
    const auto textOrNull = [](const std::optional<std::string>& text) {
        return text ? Json(*text) : Json(nullptr);
    };
    const auto bindings = [&](bool keyboard) {
        Json actions = Json::object();
        const Bindings& codes = BindingsOf(record, keyboard);
        for (const ActionField& field : kActionFields) {
            const InputCode code = codes[static_cast<std::size_t>(field.action)];
            actions[field.key] = {{"code", code}, {"name", InputName(code, language)}};
        }
        return actions;
    };

    const Json json = {
        {"file", file.path},
        {"fileSize", file.size},
        {"version", VersionText(record)},
        {"versionCurrent", PassesVersionTest(record)},
        {"language", record.language},
        {"languageName", textOrNull(LanguageName(record.language, language))},
        {"soundDevice", guidOrNull(record.soundDevice, record.soundDevice.IsZero())},
        {"displayAdapter", guidOrNull(record.displayAdapter, record.displayAdapter.IsZero())},
        {"displayMode", textOrNull(DisplayModeText(record, language))},
        {"windowed", record.windowed != 0},
        {"displayWidth", record.displayWidth},
        {"displayHeight", record.displayHeight},
        {"colourBits", record.colourBits},
        {"depthBits", record.depthBits},
        {"compatibilityMode", record.compatibilityMode != 0},
        {"highDetail", record.highDetail != 0},
        {"controllerDevice",
         guidOrNull(record.controllerDevice, record.controllerDevice.FirstHalfIsZero())},
        {"keyboardBindings", bindings(true)},
        {"controllerBindings", bindings(false)},
        {"controlsConstant", record.controlsConstant},
    };
    // A file name on Linux may be any bytes: what is not UTF-8 shows as U+FFFD.
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}
