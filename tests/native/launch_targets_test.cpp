// What the launcher's buttons start, with and without an installation.

#include <gtest/gtest.h>

#include "launcher/launch_targets.h"
#include "launcher/uninstall_command.h"

namespace {

const InstallFolder kInstalled{InstallFolderState::Found, "C:\\Games\\Tavrin"};
const InstallFolder kNoKey{InstallFolderState::KeyMissing, ""};
const InstallFolder kNoLocation{InstallFolderState::ValueMissing, ""};

TEST(LaunchTargets, InstalledFilesComeFromTheInstallFolder) {
    const auto readMe = TargetOf(LauncherButton::ReadMe, kInstalled, 0);
    ASSERT_TRUE(readMe);
    EXPECT_EQ(readMe->file, "C:\\Games\\Tavrin\\Readme.html");
    EXPECT_TRUE(readMe->opensByFileType);

    const auto reg = TargetOf(LauncherButton::Register, kInstalled, 0);
    EXPECT_EQ(reg->file, "C:\\Games\\Tavrin\\GAL1.exe");
    EXPECT_EQ(reg->parameters, "/PRNM=\"Tavrin Demo\" /SKUN=\"41527\" /GTYP=\"ARCD\"");
    EXPECT_TRUE(reg->opensByFileType);

    const auto play = TargetOf(LauncherButton::Play, kInstalled, 3);
    EXPECT_EQ(play->file, "C:\\Games\\Tavrin\\tavrin.exe");
    EXPECT_EQ(play->parameters, "");
    EXPECT_FALSE(play->opensByFileType);
}

TEST(LaunchTargets, SetupButtonsPassTheirModeAndTheLanguage) {
    EXPECT_EQ(TargetOf(LauncherButton::Video, kInstalled, 2)->parameters, "graphics 2");
    EXPECT_EQ(TargetOf(LauncherButton::Audio, kInstalled, 4)->parameters, "sound 4");
    EXPECT_EQ(TargetOf(LauncherButton::Controls, kInstalled, 0)->parameters, "control 0");
    EXPECT_EQ(TargetOf(LauncherButton::Controls, kInstalled, 0)->file,
              "C:\\Games\\Tavrin\\Config.exe");
}

TEST(LaunchTargets, WithoutTheRegistryKeyRelativeNamesStandIn) {
    EXPECT_EQ(TargetOf(LauncherButton::ReadMe, kNoKey, 0)->file, "Readme.html");
    EXPECT_EQ(TargetOf(LauncherButton::Register, kNoKey, 0)->file, "\\GAL1.exe");
    EXPECT_EQ(TargetOf(LauncherButton::Audio, kNoKey, 1)->file, "config.exe");
    EXPECT_EQ(TargetOf(LauncherButton::Play, kNoKey, 0), std::nullopt);
}

TEST(LaunchTargets, KeyWithoutLocationFindsNothing) {
    for (LauncherButton button : {LauncherButton::ReadMe, LauncherButton::Register,
                                  LauncherButton::Video, LauncherButton::Play}) {
        EXPECT_EQ(TargetOf(button, kNoLocation, 0), std::nullopt);
    }
}

TEST(LaunchTargets, WebSitesNeedNoInstallation) {
    for (const InstallFolder& folder : {kInstalled, kNoKey, kNoLocation}) {
        EXPECT_EQ(TargetOf(LauncherButton::GameSite, folder, 0)->file, kGameSite);
        EXPECT_EQ(TargetOf(LauncherButton::PublisherSite, folder, 0)->file, kPublisherSite);
        EXPECT_EQ(TargetOf(LauncherButton::DeveloperSite, folder, 0)->file, kDeveloperSite);
    }
}

TEST(UninstallCommand, QuotedProgramStartsAloneWithoutItsOptions) {
    EXPECT_EQ(UninstallerCandidates("\"C:\\Program Files\\Tavrin\\uninst.exe\" /S /LOG=x"),
              (std::vector<ProgramStart>{{"C:\\Program Files\\Tavrin\\uninst.exe", ""}}));
    EXPECT_EQ(UninstallerCandidates("rundll32 \"C:\\x y\\u.dll\",Remove"),
              (std::vector<ProgramStart>{{"C:\\x y\\u.dll", ""}}));  // the quoted text, as always
    EXPECT_EQ(UninstallerCandidates("\"C:\\unclosed.exe"),
              (std::vector<ProgramStart>{{"C:\\unclosed.exe", ""}}));
}

TEST(UninstallCommand, QuotedProgramsThatCannotBeStartedGiveNothing) {
    EXPECT_TRUE(UninstallerCandidates("\"\" /S").empty());
    EXPECT_TRUE(UninstallerCandidates("\"" + std::string(125, 'a') + "\"").empty());
    EXPECT_EQ(UninstallerCandidates("\"" + std::string(124, 'a') + "\"").size(), 1u);
    EXPECT_TRUE(UninstallerCandidates("").empty());
    EXPECT_TRUE(UninstallerCandidates("   ").empty());
}

TEST(UninstallCommand, UnquotedCommandsKeepTheirArguments) {
    EXPECT_EQ(
        UninstallerCandidates("MsiExec.exe /X{12345678-1234-1234-1234-123456789ABC}"),
        (std::vector<ProgramStart>{{"MsiExec.exe", "/X{12345678-1234-1234-1234-123456789ABC}"},
                                   {"MsiExec.exe /X{12345678-1234-1234-1234-123456789ABC}", ""}}));
    // Blanks inside an unquoted path: every split is offered, the way Windows tries them.
    EXPECT_EQ(UninstallerCandidates("C:\\Program Files\\T\\u.exe /S"),
              (std::vector<ProgramStart>{{"C:\\Program", "Files\\T\\u.exe /S"},
                                         {"C:\\Program Files\\T\\u.exe", "/S"},
                                         {"C:\\Program Files\\T\\u.exe /S", ""}}));
    EXPECT_EQ(UninstallerCandidates("uninst.exe"), (std::vector<ProgramStart>{{"uninst.exe", ""}}));
}

TEST(UninstallCommand, KeyPathNamesTheUninstallEntry) {
    EXPECT_EQ(UninstallKeyPath("{ABC}"),
              "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{ABC}");
}

}  // namespace
