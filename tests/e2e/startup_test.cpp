// The setup tool's start: one setup process at a time, the mode words, the launcher.

#include <algorithm>

#include "e2e/product_fixture.h"

namespace e2e {
namespace {

using StartupTest = ProductTest;

TEST_F(StartupTest, SecondSetupProcessEndsAtOnceAndLeavesTheFirstAlone) {
    const std::optional<WindowInfo> first = OpenSetup("sound", 0, kAudioTitle);
    ASSERT_TRUE(first) << driver_->LastError();

    WineProcess& second = Start("Config.exe", {"sound", "0"});
    EXPECT_TRUE(Ended(second));
    const std::vector<WindowInfo> windows = driver_->TopLevelWindows();
    EXPECT_EQ(std::count_if(windows.begin(), windows.end(),
                            [](const WindowInfo& w) { return w.title == kAudioTitle; }),
              1);
    EXPECT_EQ(driver_->WindowText(first->handle), kAudioTitle);

    EXPECT_TRUE(Handled(driver_->Click(first->handle, kIdCancel)));
    EXPECT_TRUE(Ended(*setup_));
    // With the first one gone, a new one starts as usual.
    EXPECT_TRUE(OpenSetup("sound", 0, kAudioTitle));
}

TEST_F(StartupTest, UnknownModeWordsShowNothingAndEnd) {
    for (const char* word : {"Graphics", "foo"}) {
        SCOPED_TRACE(word);
        WineProcess& setup = Start("Config.exe", {word, "1"});
        EXPECT_EQ(setup.WaitForExit(kGenerousWait), 0);
        EXPECT_FALSE(programs_->Running("TavrinConfig.exe"));
        EXPECT_FALSE(driver_->FindWindow(kLauncherTitle, Milliseconds{0}));
    }
}

TEST_F(StartupTest, ModeWordWithoutANumberStartsTheLauncher) {
    WineProcess& setup = Start("Config.exe", {"graphics"});
    EXPECT_TRUE(Ended(setup));
    EXPECT_TRUE(driver_->FindWindow(kLauncherTitle)) << driver_->LastError();
}

TEST_F(StartupTest, NonNumericLanguageOpensTheControlSetupInEnglish) {
    // The word converts to 0, as the C library's conversion has it: neither a reason to refuse
    // the start nor a language of its own.
    setup_ = &Start("Config.exe", {"control", "deutsch"});
    const std::optional<WindowInfo> dialog = driver_->FindWindow(kControlTitle);
    ASSERT_TRUE(dialog) << driver_->LastError();
    EXPECT_EQ(ControlText(*dialog, IDC_CONTROL_CANCEL), "Cancel");
}

TEST_F(StartupTest, KeyWithoutLocationStartsNothing) {
    ASSERT_TRUE(installation_->RemoveLocation());
    WineProcess& setup = Start("Config.exe");
    EXPECT_TRUE(Ended(setup));
    // The launcher would have been started before the setup tool ended.
    EXPECT_FALSE(programs_->Running("TavrinConfig.exe"));
}

TEST_F(StartupTest, TrailingBackslashGivesTheSamePaths) {
    // Files are found through a doubled backslash as well; the command line of the launcher the
    // setup tool starts shows the path as it was built.
    Record("TavrinConfig.exe");
    const std::string folder = WindowsPath(installation_->Folder());
    ASSERT_TRUE(installation_->SetLocation(folder + "\\"));
    EXPECT_TRUE(Ended(Start("Config.exe")));
    EXPECT_EQ(Recorded("TavrinConfig.exe"), "\"" + folder + "\\TavrinConfig.exe\"\n");
}

TEST_F(StartupTest, LauncherStartedWithoutArgumentsFromTheInstallFolder) {
    // Started from elsewhere: the launcher comes from the folder the registry names.
    WineProcess& setup = Start("Config.exe", {}, installation_->Folder().parent_path());
    EXPECT_TRUE(Ended(setup));
    EXPECT_TRUE(driver_->FindWindow(kLauncherTitle)) << driver_->LastError();
    EXPECT_TRUE(programs_->Running("TavrinConfig.exe"));
}

}  // namespace
}  // namespace e2e
