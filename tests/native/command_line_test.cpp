// The setup tool's command line and the paths it leads to.

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "app/command_line.h"

namespace {

StartRequest Parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "Config.exe");
    return ParseCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

TEST(CommandLine, ModeWordAndNumberRunASetupDialogInThatLanguage) {
    const StartRequest request = Parse({"graphics", "2"});
    EXPECT_EQ(request.kind, StartRequest::Kind::RunSetupDialog);
    EXPECT_EQ(request.mode, SetupMode::Graphics);
    EXPECT_EQ(request.language, 2);
    EXPECT_EQ(Parse({"sound", "4"}).mode, SetupMode::Sound);
    EXPECT_EQ(Parse({"control", "1"}).mode, SetupMode::Control);
    EXPECT_EQ(Parse({"control", "1", "extra"}).kind, StartRequest::Kind::RunSetupDialog);
}

TEST(CommandLine, FewerThanTwoArgumentsStartTheLauncher) {
    EXPECT_EQ(Parse({}).kind, StartRequest::Kind::StartLauncher);
    const StartRequest alone = Parse({"graphics"});
    EXPECT_EQ(alone.kind, StartRequest::Kind::StartLauncher);
    EXPECT_EQ(alone.language, std::nullopt);
}

TEST(CommandLine, OtherWordsAndOtherCasesEndTheProcess) {
    for (const char* word : {"Graphics", "SOUND", "foo", "", "control "}) {
        SCOPED_TRACE(word);
        const StartRequest request = Parse({word, "1"});
        EXPECT_EQ(request.kind, StartRequest::Kind::Nothing);
        EXPECT_EQ(request.language, 1);  // taken over before the word is looked at
    }
}

TEST(CommandLine, LanguageNumbersFollowTheCLibrarysConversion) {
    EXPECT_EQ(Parse({"control", "x"}).language, 0);      // no digits
    EXPECT_EQ(Parse({"control", "  3"}).language, 3);    // leading blanks
    EXPECT_EQ(Parse({"control", "+2abc"}).language, 2);  // stops at the first non-digit
    EXPECT_EQ(Parse({"control", "\t4\n"}).language, 4);
}

TEST(CommandLine, NumbersThatNameNoLanguageGiveEnglish) {
    for (const char* number : {"5", "-1", "17", "99999999999999999999", "-2147483648"}) {
        SCOPED_TRACE(number);
        EXPECT_EQ(Parse({"sound", number}).language, 0);
    }
}

TEST(ParseDecimal, SaturatesInsteadOfOverflowing) {
    EXPECT_EQ(ParseDecimal("2147483647"), INT_MAX);
    EXPECT_EQ(ParseDecimal("2147483648"), INT_MAX);
    EXPECT_EQ(ParseDecimal("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseDecimal("-99999999999999999999999"), INT_MIN);
    EXPECT_EQ(ParseDecimal("- 5"), 0);
    EXPECT_EQ(ParseDecimal("--5"), 0);
    EXPECT_EQ(ParseDecimal("-0"), 0);
}

TEST(SkinPicturePath, JoinsTheInstallFolderOrStaysRelative) {
    EXPECT_EQ(SkinPicturePath("C:\\Games\\Tavrin", SetupMode::Sound),
              "C:\\Games\\Tavrin\\Config files\\abg.sar");
    EXPECT_EQ(SkinPicturePath("C:\\Games\\Tavrin", SetupMode::Graphics),
              "C:\\Games\\Tavrin\\Config files\\vbg.sar");
    EXPECT_EQ(SkinPicturePath("", SetupMode::Control), "Config files\\cbg.sar");
}

TEST(LauncherProgramPath, DependsOnWhatTheRegistryHolds) {
    EXPECT_EQ(LauncherProgramPath({InstallFolderState::KeyMissing, ""}), "TavrinConfig.exe");
    EXPECT_EQ(LauncherProgramPath({InstallFolderState::Found, "D:\\Tavrin"}),
              "D:\\Tavrin\\TavrinConfig.exe");
    EXPECT_EQ(LauncherProgramPath({InstallFolderState::ValueMissing, ""}), std::nullopt);
}

}  // namespace
