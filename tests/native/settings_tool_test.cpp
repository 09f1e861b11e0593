// tavrin-settings on real files: what set writes the codec and show read back, what check reports,
// and what the tool refuses or leaves alone.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/settings_tool.h"
#include "support/settings_builder.h"
#include "support/temp_file.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct ToolRun {
    int exitCode;
    std::string out;
    std::string err;
};

ToolRun RunTool(const std::vector<std::string>& arguments) {
    ToolRun run{0, {}, {}};
    run.exitCode = RunSettingsTool(arguments, run.out, run.err);
    return run;
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

SettingsFile Decoded(const Bytes& bytes) {
    SettingsBytes fixed{};
    std::memcpy(fixed.data(), bytes.data(), std::min(bytes.size(), fixed.size()));
    return DecodeSettings(fixed);
}

// A valid file with no graphics saved: the binding defaults, the rest zero.
Bytes DefaultsFile(std::int32_t language = 0) {
    SettingsFile record;
    ApplyDefaultBindings(record);
    record.language = language;
    const SettingsBytes bytes = EncodeSettings(record);
    return Bytes(bytes.begin(), bytes.end());
}

// The same with an adapter and a full-screen mode saved, as the graphics setup leaves it.
Bytes GraphicsFile() {
    Bytes bytes = DefaultsFile();
    bytes[20] = 0x42;  // the adapter GUID's first byte
    PutLittleEndian32(bytes, 36, 1024);
    PutLittleEndian32(bytes, 40, 768);
    PutLittleEndian32(bytes, 44, 24);
    PutLittleEndian32(bytes, 48, 32);
    return bytes;
}

// What show --json printed, parsed; null when it is not JSON.
nlohmann::json Json(const std::string& text) {
    return nlohmann::json::parse(text, nullptr, false);
}

TEST(SettingsToolSet, WhatSetWritesTheCodecAndShowJsonReadBack) {
    const TempFile file(GraphicsFile(), ".dat");
    const ToolRun set =
        RunTool({"set", file.Path(), "display=1280x1024x16x24", "compatibility=on",
                 "highDetail=off", "language=it", "keyboard.jump=Space",
                 "controller.search=Button 07", "sound={0123ABCD-4567-89AB-CDEF-0123456789AB}"});
    ASSERT_EQ(set.exitCode, kExitDone) << set.err;

    SettingsFile record = Decoded(ReadBytes(file.Path()));
    EXPECT_EQ(record.displayWidth, 1280);
    EXPECT_EQ(record.displayHeight, 1024);
    EXPECT_EQ(record.colourBits, 16);
    EXPECT_EQ(record.depthBits, 24);
    EXPECT_EQ(record.windowed, 0);
    EXPECT_EQ(record.compatibilityMode, 1);
    EXPECT_EQ(record.highDetail, 0);
    EXPECT_EQ(record.language, 3);
    EXPECT_EQ(record.KeyboardBinding(SettingsAction::Jump), 39 + 0x39);
    EXPECT_EQ(record.ControllerBinding(SettingsAction::Search), 7);
    EXPECT_EQ(record.soundDevice.bytes[0], 0xCD);  // the first group is little-endian
    EXPECT_EQ(record.soundDevice.bytes[15], 0xAB);

    const ToolRun show = RunTool({"show", "--json", "--language", "en", file.Path()});
    ASSERT_EQ(show.exitCode, kExitDone) << show.err;
    const nlohmann::json shown = Json(show.out);
    EXPECT_EQ(shown["displayMode"], "1280 x 1024 x 16 (24z)");
    EXPECT_EQ(shown["compatibilityMode"], true);
    EXPECT_EQ(shown["highDetail"], false);
    EXPECT_EQ(shown["language"], 3);
    EXPECT_EQ(shown["keyboardBindings"]["jump"], nlohmann::json({{"code", 96}, {"name", "Space"}}));
    EXPECT_EQ(shown["soundDevice"], "{0123ABCD-4567-89AB-CDEF-0123456789AB}");
    // The keys in the order --help gives them.
    const nlohmann::ordered_json ordered = nlohmann::ordered_json::parse(show.out);
    std::vector<std::string> keys;
    for (const auto& [key, value] : ordered.items())
        keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"file",
                                              "fileSize",
                                              "version",
                                              "versionCurrent",
                                              "language",
                                              "languageName",
                                              "soundDevice",
                                              "displayAdapter",
                                              "displayMode",
                                              "windowed",
                                              "displayWidth",
                                              "displayHeight",
                                              "colourBits",
                                              "depthBits",
                                              "compatibilityMode",
                                              "highDetail",
                                              "controllerDevice",
                                              "keyboardBindings",
                                              "controllerBindings",
                                              "controlsConstant"}));

    // Windowed is stored as the graphics setup stores it: 1 and four zeros.
    ASSERT_EQ(RunTool({"set", file.Path(), "windowed=on"}).exitCode, kExitDone);
    const ToolRun windowed = RunTool({"show", "--json", file.Path()});
    EXPECT_EQ(Json(windowed.out)["displayMode"], "In una finestra");
    EXPECT_EQ(Json(windowed.out)["displayWidth"], 0);
    EXPECT_EQ(Json(windowed.out)["colourBits"], 0);
}

TEST(SettingsToolSet, EveryByteSetDoesNotNameStaysAsItWas) {
    const Bytes before = DistinctSettingsBytes(1);
    const TempFile file(before, ".dat");
    ASSERT_EQ(RunTool({"set", file.Path(), "language=de"}).exitCode, kExitDone);
    Bytes expected = before;
    PutLittleEndian32(expected, 168, 2);
    EXPECT_EQ(ReadBytes(file.Path()), expected);

    // A binding writes its own slot and the controls constant, as the control setup does.
    ASSERT_EQ(RunTool({"set", file.Path(), "keyboard.tav=F"}).exitCode, kExitDone);
    PutLittleEndian32(expected, 80 + 4 * 6, 39 + 0x21);
    PutLittleEndian32(expected, 116, 39);
    EXPECT_EQ(ReadBytes(file.Path()), expected);

    // An outdated file becomes 2.1, as every writer makes it.
    PutLittleEndian32(expected, 0, 0x40000000);
    const TempFile outdated(expected, ".dat");
    ASSERT_EQ(RunTool({"set", outdated.Path(), "language=de"}).exitCode, kExitDone);
    EXPECT_EQ(GetLittleEndian32(ReadBytes(outdated.Path()), 0), kSettingsVersionBits);
}

TEST(SettingsToolSet, BindingTakesTheInputFromOtherActionsAndAnAxisTakesTheWholePair) {
    const TempFile file(DefaultsFile(), ".dat");
    const ToolRun run =
        RunTool({"set", file.Path(), "keyboard.jump=left shift", "controller.forward=X Axis"});
    ASSERT_EQ(run.exitCode, kExitDone) << run.err;
    SettingsFile record = Decoded(ReadBytes(file.Path()));
    EXPECT_EQ(record.KeyboardBinding(SettingsAction::Jump), 81);
    EXPECT_EQ(record.KeyboardBinding(SettingsAction::Search), 0);
    EXPECT_EQ(record.ControllerBinding(SettingsAction::Forward), 33);
    EXPECT_EQ(record.ControllerBinding(SettingsAction::Backward), 33);
    EXPECT_EQ(record.ControllerBinding(SettingsAction::Left), 0);
    EXPECT_EQ(record.ControllerBinding(SettingsAction::Right), 0);
    // Every binding that moved without being named is reported.
    EXPECT_NE(run.out.find("keyboard.search was Left Shift and is now Undefined"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("controller.backward was Y Axis and is now X Axis"), std::string::npos);
    EXPECT_NE(run.out.find("controller.right was X Axis and is now Undefined"), std::string::npos);
}

TEST(SettingsToolSet, UndefinedUnbindsTheActionNamedAndNoOther) {
    const TempFile file(DefaultsFile(), ".dat");
    ASSERT_EQ(RunTool({"set", file.Path(), "controller.tav=Undefined"}).exitCode, kExitDone);
    ASSERT_EQ(RunTool({"set", file.Path(), "keyboard.jump=Undefined", "keyboard.search=undefined"})
                  .exitCode,
              kExitDone);
    Bytes expected = DefaultsFile();
    PutLittleEndian32(expected, 124 + 4 * 6, 0);  // controller Tav
    PutLittleEndian32(expected, 80 + 4 * 4, 0);   // keyboard Jump
    PutLittleEndian32(expected, 80 + 4 * 5, 0);   // keyboard Search
    EXPECT_EQ(ReadBytes(file.Path()), expected);
}

// What check reports of a file that set wrote, it reported of the file before.
TEST(SettingsToolSet, AFirstAdapterBringsTheModeTheGraphicsSetupWouldChoose) {
    const TempFile file(DefaultsFile(), ".dat");
    ASSERT_EQ(RunTool({"reset", file.Path(), "all"}).exitCode, kExitDone);
    ASSERT_EQ(
        RunTool({"set", file.Path(), "adapter={0123ABCD-4567-89AB-CDEF-0123456789AB}"}).exitCode,
        kExitDone);
    EXPECT_EQ(RunTool({"check", file.Path()}).exitCode, kExitDone);
    EXPECT_EQ(Json(RunTool({"show", "--json", file.Path()}).out)["displayMode"],
              "640 x 480 x 32 (32z)");
}

TEST(SettingsToolSet, NamesComeInTheFilesLanguageOrTheChosenOneAndEnglishAlways) {
    const TempFile file(DefaultsFile(2), ".dat");
    ASSERT_EQ(RunTool({"set", file.Path(), "keyboard.jump=Leertaste", "keyboard.search=rücktaste",
                       "keyboard.tav=Right Ctrl"})
                  .exitCode,
              kExitDone);
    SettingsFile record = Decoded(ReadBytes(file.Path()));
    EXPECT_EQ(record.KeyboardBinding(SettingsAction::Jump), 39 + 0x39);
    EXPECT_EQ(record.KeyboardBinding(SettingsAction::Search), 39 + 0x0E);
    EXPECT_EQ(record.KeyboardBinding(SettingsAction::Tav), 39 + 0x9D);
    // French names are not German ones.
    EXPECT_EQ(RunTool({"set", file.Path(), "keyboard.jump=Espace"}).exitCode, kExitRefused);
    EXPECT_EQ(RunTool({"set", "--language=fr", file.Path(), "keyboard.jump=Espace"}).exitCode,
              kExitDone);

    // The table texts are code page 1252; what the tool prints is UTF-8.
    const ToolRun german = RunTool({"show", file.Path()});
    EXPECT_NE(german.out.find("Zurück            Pfeil unten"), std::string::npos) << german.out;
    EXPECT_NE(german.out.find("Suchen            R\xC3\xBC"
                              "cktaste"),
              std::string::npos);
    const ToolRun spanish = RunTool({"show", "--json", "--language", "4", file.Path()});
    EXPECT_EQ(Json(spanish.out)["languageName"], "Alem\xC3\xA1n");
}

TEST(SettingsToolSet, RefusesBadFieldsAndValuesAndWritesNothing) {
    const Bytes graphics = GraphicsFile();
    const TempFile file(graphics, ".dat");
    for (const char* assignment :
         {"display=1024x768", "display=800x600x15", "display=320x200x32", "display=1024x768x32x8",
          "colour=8", "windowed=maybe", "keyboard.jump=Nothing", "keyboard.jump=Button 01",
          "controller.jump=X Axis", "controller.left=Space", "controller.jump=Button 33",
          "controller.jump=Button 2147483647", "keyboard.fly=Space", "speed=3", "language=7",
          "adapter={0123}"}) {
        const ToolRun run = RunTool({"set", file.Path(), "language=de", assignment});
        EXPECT_EQ(run.exitCode, kExitRefused) << assignment;
        EXPECT_NE(run.err.find("nothing was written"), std::string::npos) << run.err;
        EXPECT_EQ(ReadBytes(file.Path()), graphics) << assignment;
    }

    // The display fields mean nothing to the graphics setup while no adapter is saved.
    const TempFile noAdapter(DefaultsFile(), ".dat");
    const ToolRun withoutAdapter = RunTool({"set", noAdapter.Path(), "display=800x600x16"});
    EXPECT_EQ(withoutAdapter.exitCode, kExitRefused);
    EXPECT_NE(withoutAdapter.err.find("no display adapter is saved"), std::string::npos);
    EXPECT_EQ(RunTool({"set", noAdapter.Path(), "adapter={0123ABCD-4567-89AB-CDEF-0123456789AB}",
                       "display=800x600x16"})
                  .exitCode,
              kExitDone);
    // Leaving the windowed choice needs a mode.
    ASSERT_EQ(RunTool({"set", noAdapter.Path(), "windowed=on"}).exitCode, kExitDone);
    EXPECT_EQ(RunTool({"set", noAdapter.Path(), "windowed=off"}).exitCode, kExitRefused);
    EXPECT_EQ(RunTool({"set", noAdapter.Path(), "windowed=off", "display=800x600x16"}).exitCode,
              kExitDone);
}

TEST(SettingsToolCheck, ReportsEachProblemOnALineOfItsOwn) {
    struct Case {
        const char* problem;
        void (*damage)(Bytes&);
        const char* expected;
    };
    const Case cases[] = {
        {"short file", [](Bytes& b) { b.pop_back(); }, "171 bytes instead of 172"},
        {"other version", [](Bytes& b) { PutLittleEndian32(b, 0, 0x40000000); }, "version is 2 "},
        {"language", [](Bytes& b) { PutLittleEndian32(b, 168, 5); }, "language is 5"},
        {"no key", [](Bytes& b) { PutLittleEndian32(b, 80, 5); },
         "keyboard binding of Left is 5, which names no key"},
        {"no button", [](Bytes& b) { PutLittleEndian32(b, 124 + 16, 39); },
         "controller binding of Jump is 39, which names no button or axis"},
        {"key twice", [](Bytes& b) { PutLittleEndian32(b, 80 + 16, 81); },
         "keyboard: Left Shift is bound to Jump and Search"},
        {"button twice", [](Bytes& b) { PutLittleEndian32(b, 124 + 32, 4); },
         "controller: Button 04 is bound to Turn Left and Turn Right"},
        {"half an axis", [](Bytes& b) { PutLittleEndian32(b, 124 + 4, 6); },
         "X Axis is bound to Left but not to Right"},
        {"axis on a button action", [](Bytes& b) { PutLittleEndian32(b, 124 + 24, 35); },
         "Tav is bound to Z Axis, but only"},
        {"colour depth", [](Bytes& b) { PutLittleEndian32(b, 48, 8); },
         "colour depth is 8 bits instead of 16, 24 or 32"},
        {"small mode", [](Bytes& b) { PutLittleEndian32(b, 40, 400); },
         "display mode 1024 x 400 is smaller than 640 x 480"},
    };
    for (const Case& c : cases) {
        Bytes bytes = GraphicsFile();
        c.damage(bytes);
        const TempFile file(bytes, ".dat");
        const ToolRun run = RunTool({"check", file.Path()});
        EXPECT_EQ(run.exitCode, kExitProblemsFound) << c.problem;
        EXPECT_NE(run.out.find(c.expected), std::string::npos) << c.problem << ": " << run.out;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << c.problem << run.out;
    }
}

TEST(SettingsToolCheck, AcceptsWhatTheDialogsWrite) {
    Bytes windowed = GraphicsFile();
    for (std::size_t offset : {36, 40, 44, 48})
        PutLittleEndian32(windowed, offset, 0);
    PutLittleEndian32(windowed, 52, 1);
    // No adapter saved: the graphics setup takes none of the zero display numbers.
    Bytes fresh(172, 0);
    PutLittleEndian32(fresh, 0, kSettingsVersionBits);
    for (const Bytes& bytes : {GraphicsFile(), windowed, fresh}) {
        const TempFile file(bytes, ".dat");
        const ToolRun run = RunTool({"check", file.Path()});
        EXPECT_EQ(run.exitCode, kExitDone) << run.out;
    }
}

TEST(SettingsToolReset, ControlsTakeTheDefaultsAndAllWritesAFreshFileKeepingTheLanguage) {
    Bytes before = DistinctSettingsBytes(3);
    const TempFile file(before, ".dat");
    ASSERT_EQ(RunTool({"reset", file.Path(), "controls"}).exitCode, kExitDone);
    SettingsFile expected = Decoded(before);
    ApplyDefaultBindings(expected);
    EXPECT_EQ(Decoded(ReadBytes(file.Path())), expected);

    ASSERT_EQ(RunTool({"reset", file.Path(), "all"}).exitCode, kExitDone);
    SettingsFile fresh;
    ApplyDefaultBindings(fresh);
    fresh.language = 3;
    EXPECT_EQ(ReadBytes(file.Path()).size(), 172u);
    EXPECT_EQ(Decoded(ReadBytes(file.Path())), fresh);

    // A file that is not a settings file is changed only by a fresh start.
    const TempFile damaged(Bytes(300, 0x55), ".dat");
    EXPECT_EQ(RunTool({"reset", damaged.Path(), "controls"}).exitCode, kExitNotRead);
    EXPECT_EQ(RunTool({"set", damaged.Path(), "language=1"}).exitCode, kExitNotRead);
    EXPECT_EQ(ReadBytes(damaged.Path()), Bytes(300, 0x55));
    EXPECT_EQ(RunTool({"reset", damaged.Path(), "all"}).exitCode, kExitDone);
    EXPECT_EQ(RunTool({"check", damaged.Path()}).exitCode, kExitDone);
}

class SettingsToolFolder : public ::testing::Test {
  protected:
    SettingsToolFolder() : before_(std::filesystem::current_path()) {
        const std::filesystem::path folder = MissingTempPath();
        std::filesystem::create_directory(folder);
        std::filesystem::current_path(folder);
    }
    ~SettingsToolFolder() override {
        const std::filesystem::path folder = std::filesystem::current_path();
        std::filesystem::current_path(before_);
        std::filesystem::remove_all(folder);
    }

  private:
    std::filesystem::path before_;
};

TEST_F(SettingsToolFolder, WithoutFileItIsTavrinDatHereAndAMissingOneIsSaidSo) {
    ToolRun show = RunTool({"show"});
    EXPECT_EQ(show.exitCode, kExitNotRead);
    EXPECT_EQ(show.err, "tavrin-settings: there is no tavrin.dat in the current folder\n");
    EXPECT_EQ(RunTool({"show", "other.dat"}).err, "tavrin-settings: other.dat does not exist\n");
    EXPECT_EQ(RunTool({"set", "language=1"}).exitCode, kExitNotRead);
    // Only reset all makes a file: a mistyped name leaves none.
    EXPECT_EQ(RunTool({"reset", "tavrin.dta", "controls"}).exitCode, kExitNotRead);
    EXPECT_FALSE(std::filesystem::exists("tavrin.dta"));

    ASSERT_EQ(RunTool({"reset", "all"}).exitCode, kExitDone);
    EXPECT_EQ(ReadBytes("tavrin.dat"), DefaultsFile());
    EXPECT_EQ(RunTool({"set", "language=es"}).exitCode, kExitDone);
    show = RunTool({"show"});
    EXPECT_NE(show.out.find("Language            Español (4)"), std::string::npos) << show.out;

    // A write that cannot happen leaves nothing behind.
    const ToolRun unwritable = RunTool({"reset", "no-such-folder/tavrin.dat", "all"});
    EXPECT_EQ(unwritable.exitCode, kExitNotWritten);
    EXPECT_FALSE(std::filesystem::exists("no-such-folder"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(SettingsToolCommandLine, RefusesWhatItDoesNotKnowAndDocumentsItsExitCodes) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{},
                                               {"list"},
                                               {"show", "--verbose"},
                                               {"check", "--json"},
                                               {"show", "a", "b"},
                                               {"set"},
                                               {"set", "a.dat", "b.dat"},
                                               {"set", "=on"},
                                               {"reset", "everything"},
                                               {"show", "--language", "pt"},
                                               {"show", "--language"}}) {
        const ToolRun run = RunTool(arguments);
        EXPECT_EQ(run.exitCode, kExitRefused) << testing::PrintToString(arguments);
        EXPECT_NE(run.err.find("see tavrin-settings --help"), std::string::npos) << run.err;
    }
    const ToolRun help = RunTool({"--help"});
    EXPECT_EQ(help.exitCode, kExitDone);
    for (const char* documented : {"Exit status:", "  3  ", "JSON keys", "US keyboard layout"})
        EXPECT_NE(help.out.find(documented), std::string::npos) << documented;
}

}  // namespace
