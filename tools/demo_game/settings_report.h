#pragma once
// What the stand-in game shows of the settings file it found, as lines of UTF-8 text whose columns
// are separated by tabs. Its own labels are English; the binding names are in the file's
// language, as the control setup shows them, with the keyboard layout's own characters.
//
// The stand-in is built only for Windows and the native tests link none of its objects, so the
// report lives in this header, where both can reach it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "texts/local_text.h"
#include "controls/input_code.h"
#include "settings/guid_text.h"
#include "settings/settings_file.h"

namespace demo_game {

// The file as read: its bytes (at most 172; a short file gives fewer), or nothing when it did not
// open.
using SettingsFileBytes = std::optional<std::vector<std::uint8_t>>;

// A device GUID, or `whenZero` for the all-zero GUID by which the setup tools mean "no particular
// device".
inline std::string DescribeDevice(const Guid& guid, const char* whenZero) {
    return guid.IsZero() ? whenZero : FormatGuid(guid);
}

// The controller the player chose. The control setup takes a GUID whose first half is zero for
// the keyboard, and the game has to read it the same way.
inline std::string DescribeController(const Guid& guid) {
    return guid.FirstHalfIsZero() ? "keyboard" : FormatGuid(guid);
}

// "Windowed", or the full-screen mode: "1024 x 768, 32-bit colour, 24-bit depth".
inline std::string DescribeDisplay(const SettingsFile& record) {
    if (record.windowed != 0)
        return "Windowed";
    return std::to_string(record.displayWidth) + " x " + std::to_string(record.displayHeight) +
           ", " + std::to_string(record.colourBits) + "-bit colour, " +
           std::to_string(record.depthBits) + "-bit depth";
}

inline const char* OnOff(std::int32_t flag) {
    return flag != 0 ? "on" : "off";
}

// "German (2)"; a number the tools would refuse shows as it is, with what the names fall back to.
inline std::string DescribeLanguage(std::int32_t language) {
    constexpr const char* kNames[kLanguageCount] = {"English", "French", "German", "Italian",
                                                    "Spanish"};
    const std::string number = std::to_string(language);
    if (!IsLanguageNumber(language))
        return number + " (no such language; names in English)";
    return std::string(kNames[language]) + " (" + number + ")";
}

// The actions by their labels in the control setup, in the file's order of both binding arrays.
inline constexpr const char* kActionLabels[kActionCount] = {
    "Left", "Right", "Forward", "Backward", "Jump", "Search", "Tav", "Turn Left", "Turn Right"};

// Every line the stand-in shows, from the file state down to the bindings table.
inline std::vector<std::string> DescribeSettingsFile(const SettingsFileBytes& file,
                                                     const KeyCharacter& keyCharacter) {
    if (!file)
        return {"Settings file\tmissing"};

    SettingsFile record;
    OverlaySettings(record, file->data(), file->size());
    std::vector<std::string> lines = {
        "Settings file\t" + std::to_string(file->size()) + " of " +
            std::to_string(kSettingsFileSize) + " bytes",
        std::string("Version test\t") + (ReadPassesVersionTest(record, file->size())
                                             ? "passes (2.1)"
                                             : "fails: the tools would use defaults"),
        "",
        "Display\t" + DescribeDisplay(record),
        std::string("Compatibility mode\t") + OnOff(record.compatibilityMode),
        std::string("High detail\t") + OnOff(record.highDetail),
        "Display adapter\t" + DescribeDevice(record.displayAdapter, "default"),
        "Sound device\t" + DescribeDevice(record.soundDevice, "default"),
        "Controller\t" + DescribeController(record.controllerDevice),
        "Language\t" + DescribeLanguage(record.language),
        "",
        "Action\tKeyboard\tController",
    };
    for (int action = 0; action < kActionCount; ++action) {
        const auto name = [&](InputCode code) {
            return Utf8FromUtf16(DescribeInputCode(code, keyCharacter, record.language));
        };
        lines.push_back(std::string(kActionLabels[action]) + "\t" +
                        name(record.keyboardBindings[action]) + "\t" +
                        name(record.controllerBindings[action]));
    }
    return lines;
}

}  // namespace demo_game
