// The stand-in game of the demo installation: what it shows of the settings file it reads, so
// that a person trying the demo sees exactly what the setup dialogs stored.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "support/settings_builder.h"
#include "tools/demo_game/settings_report.h"

namespace {

using demo_game::DescribeSettingsFile;
using Lines = std::vector<std::string>;

// Offsets of the fields the tests write.
constexpr std::size_t kSoundDeviceAt = 4;
constexpr std::size_t kDisplayAdapterAt = 20;
constexpr std::size_t kDisplayWidthAt = 36;
constexpr std::size_t kDisplayHeightAt = 40;
constexpr std::size_t kDepthBitsAt = 44;
constexpr std::size_t kColourBitsAt = 48;
constexpr std::size_t kWindowedAt = 52;
constexpr std::size_t kCompatibilityModeAt = 56;
constexpr std::size_t kHighDetailAt = 60;
constexpr std::size_t kControllerDeviceAt = 64;
constexpr std::size_t kKeyboardBindingsAt = 80;
constexpr std::size_t kControllerBindingsAt = 124;
constexpr std::size_t kLanguageAt = 168;

constexpr std::uint32_t kVersion2_0 = 0x40000000;

// Bytes 00 01 02 ... 0F: each group of the GUID text shows which bytes it took, and in which
// order.
constexpr std::array<std::uint8_t, 16> kCountingGuid = {
    0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F};
constexpr const char* kCountingGuidText = "{03020100-0504-0706-0809-0A0B0C0D0E0F}";

// A whole file of zeros but for its version, 2.1: what a graphics or audio OK writes into a
// folder that had no settings file, before any field of its own.
std::vector<std::uint8_t> FreshFile() {
    std::vector<std::uint8_t> bytes(kSettingsFileSize, 0);
    PutLittleEndian32(bytes, 0, kSettingsVersionBits);
    return bytes;
}

void PutGuid(std::vector<std::uint8_t>& bytes, std::size_t at,
             const std::array<std::uint8_t, 16>& guid) {
    std::copy(guid.begin(), guid.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

void PutBinding(std::vector<std::uint8_t>& bytes, std::size_t arrayAt, SettingsAction action,
                InputCode code) {
    PutLittleEndian32(bytes, arrayAt + 4 * static_cast<std::size_t>(action),
                      static_cast<std::uint32_t>(code));
}

// A layout in which only the key with scan code 44 types a character.
char16_t OnlyZ(int scanCode) {
    return scanCode == 0x2C ? u'Z' : u'\0';
}

// The value column of the line whose label is `label`; "(no such line)" when there is none.
std::string ValueOf(const Lines& lines, const std::string& label) {
    for (const std::string& line : lines) {
        if (line.rfind(label + "\t", 0) == 0)
            return line.substr(label.size() + 1);
    }
    return "(no such line)";
}

// The bindings table: the nine lines after its heading.
Lines BindingRows(const Lines& lines) {
    const auto heading = std::find(lines.begin(), lines.end(), "Action\tKeyboard\tController");
    if (heading == lines.end() || lines.end() - heading <= kActionCount)
        return {};
    return Lines(heading + 1, heading + 1 + kActionCount);
}

// ---- The file's state ----

TEST(DemoGameReport, MissingFileSaysSoAndNothingElse) {
    EXPECT_EQ(DescribeSettingsFile(std::nullopt, OnlyZ), Lines({"Settings file\tmissing"}));
}

TEST(DemoGameReport, ReportsSizeAndVersionTest) {
    const Lines valid = DescribeSettingsFile(FreshFile(), OnlyZ);
    EXPECT_EQ(ValueOf(valid, "Settings file"), "172 of 172 bytes");
    EXPECT_EQ(ValueOf(valid, "Version test"), "passes (2.1)");

    std::vector<std::uint8_t> older = FreshFile();
    PutLittleEndian32(older, 0, kVersion2_0);
    EXPECT_EQ(ValueOf(DescribeSettingsFile(older, OnlyZ), "Version test"),
              "fails: the tools would use defaults");

    // A file cut short after its version: the missing fields read as zero.
    std::vector<std::uint8_t> shortFile = FreshFile();
    shortFile.resize(4);
    const Lines cut = DescribeSettingsFile(shortFile, OnlyZ);
    EXPECT_EQ(ValueOf(cut, "Settings file"), "4 of 172 bytes");
    EXPECT_EQ(ValueOf(cut, "Version test"), "passes (2.1)");
    EXPECT_EQ(ValueOf(cut, "Left"), "Undefined\tUndefined");

    EXPECT_EQ(ValueOf(DescribeSettingsFile(std::vector<std::uint8_t>{}, OnlyZ), "Version test"),
              "fails: the tools would use defaults");
}

// ---- Display and devices ----

TEST(DemoGameReport, ShowsTheFullScreenModeOrWindowed) {
    std::vector<std::uint8_t> bytes = FreshFile();
    PutLittleEndian32(bytes, kDisplayWidthAt, 1024);
    PutLittleEndian32(bytes, kDisplayHeightAt, 768);
    PutLittleEndian32(bytes, kColourBitsAt, 32);
    PutLittleEndian32(bytes, kDepthBitsAt, 24);
    PutLittleEndian32(bytes, kHighDetailAt, 1);
    Lines lines = DescribeSettingsFile(bytes, OnlyZ);
    EXPECT_EQ(ValueOf(lines, "Display"), "1024 x 768, 32-bit colour, 24-bit depth");
    EXPECT_EQ(ValueOf(lines, "Compatibility mode"), "off");
    EXPECT_EQ(ValueOf(lines, "High detail"), "on");

    PutLittleEndian32(bytes, kWindowedAt, 1);
    PutLittleEndian32(bytes, kCompatibilityModeAt, 1);
    PutLittleEndian32(bytes, kHighDetailAt, 0);
    lines = DescribeSettingsFile(bytes, OnlyZ);
    EXPECT_EQ(ValueOf(lines, "Display"), "Windowed");
    EXPECT_EQ(ValueOf(lines, "Compatibility mode"), "on");
    EXPECT_EQ(ValueOf(lines, "High detail"), "off");
}

TEST(DemoGameReport, ZeroDevicesAreTheDefaultsAndTheKeyboard) {
    const Lines fresh = DescribeSettingsFile(FreshFile(), OnlyZ);
    EXPECT_EQ(ValueOf(fresh, "Display adapter"), "default");
    EXPECT_EQ(ValueOf(fresh, "Sound device"), "default");
    EXPECT_EQ(ValueOf(fresh, "Controller"), "keyboard");

    std::vector<std::uint8_t> chosen = FreshFile();
    PutGuid(chosen, kDisplayAdapterAt, kCountingGuid);
    PutGuid(chosen, kSoundDeviceAt, kCountingGuid);
    chosen[kSoundDeviceAt] = 0xFF;  // tells the sound device from the adapter
    PutGuid(chosen, kControllerDeviceAt, kCountingGuid);
    const Lines lines = DescribeSettingsFile(chosen, OnlyZ);
    EXPECT_EQ(ValueOf(lines, "Display adapter"), kCountingGuidText);
    EXPECT_EQ(ValueOf(lines, "Sound device"), "{030201FF-0504-0706-0809-0A0B0C0D0E0F}");
    EXPECT_EQ(ValueOf(lines, "Controller"), kCountingGuidText);
}

TEST(DemoGameReport, ControllerWithAZeroFirstHalfIsTheKeyboard) {
    // The control setup looks only at the first 8 bytes; the game must agree with it.
    std::vector<std::uint8_t> bytes = FreshFile();
    bytes[kControllerDeviceAt + 8] = 0x01;
    EXPECT_EQ(ValueOf(DescribeSettingsFile(bytes, OnlyZ), "Controller"), "keyboard");

    bytes[kControllerDeviceAt + 7] = 0x01;
    EXPECT_EQ(ValueOf(DescribeSettingsFile(bytes, OnlyZ), "Controller"),
              "{00000000-0000-0100-0100-000000000000}");
}

// ---- Bindings and language ----

TEST(DemoGameReport, ListsBindingsInFileOrderForBothDevices) {
    std::vector<std::uint8_t> bytes = FreshFile();
    for (int action = 0; action < kActionCount; ++action) {
        PutBinding(bytes, kKeyboardBindingsAt, static_cast<SettingsAction>(action),
                   kDefaultKeyboardBindings[action]);
        PutBinding(bytes, kControllerBindingsAt, static_cast<SettingsAction>(action),
                   kDefaultControllerBindings[action]);
    }
    // One key without a name of its own and one without a character either.
    PutBinding(bytes, kKeyboardBindingsAt, SettingsAction::TurnLeft, KeyCode(0x2C));
    PutBinding(bytes, kKeyboardBindingsAt, SettingsAction::TurnRight, KeyCode(0x3B));

    EXPECT_EQ(BindingRows(DescribeSettingsFile(bytes, OnlyZ)),
              Lines({"Left\tLeft Cursor\tX Axis", "Right\tRight Cursor\tX Axis",
                     "Forward\tUp Cursor\tY Axis", "Backward\tDown Cursor\tY Axis",
                     "Jump\tLeft Ctrl\tButton 02", "Search\tLeft Shift\tButton 03",
                     "Tav\tLeft Alt\tButton 01", "Turn Left\tZ\tButton 04",
                     "Turn Right\t0x3b\tButton 05"}));
}

TEST(DemoGameReport, NamesBindingsInTheFileLanguage) {
    std::vector<std::uint8_t> bytes = FreshFile();
    PutLittleEndian32(bytes, kLanguageAt, kGerman);
    PutBinding(bytes, kKeyboardBindingsAt, SettingsAction::Left, KeyCode(0xCB));
    PutBinding(bytes, kControllerBindingsAt, SettingsAction::Left, 33);
    PutBinding(bytes, kKeyboardBindingsAt, SettingsAction::Jump, KeyCode(0xC9));

    const Lines lines = DescribeSettingsFile(bytes, OnlyZ);
    EXPECT_EQ(ValueOf(lines, "Language"), "German (2)");
    EXPECT_EQ(ValueOf(lines, "Left"), "Pfeil links\tX-Achse");
    // UTF-8, which also holds what code page 1252, the tables' code page, cannot.
    EXPECT_EQ(ValueOf(lines, "Jump"), "Bild aufwärts\tUndefiniert");
}

TEST(DemoGameReport, LanguageNumberOutsideTheTablesNamesInEnglish) {
    std::vector<std::uint8_t> bytes = FreshFile();
    PutLittleEndian32(bytes, kLanguageAt, 7);
    PutBinding(bytes, kKeyboardBindingsAt, SettingsAction::Left, KeyCode(0xCB));

    const Lines lines = DescribeSettingsFile(bytes, OnlyZ);
    EXPECT_EQ(ValueOf(lines, "Language"), "7 (no such language; names in English)");
    EXPECT_EQ(ValueOf(lines, "Left"), "Left Cursor\tUndefined");

    PutLittleEndian32(bytes, kLanguageAt, static_cast<std::uint32_t>(-1));
    EXPECT_EQ(ValueOf(DescribeSettingsFile(bytes, OnlyZ), "Language"),
              "-1 (no such language; names in English)");
}

}  // namespace
