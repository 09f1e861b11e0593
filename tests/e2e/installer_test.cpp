// The game's installer and uninstaller from the demo disc, run silently as a player's
// administrator would, and the launcher as it runs from the disc and from the installed game.
// Every test works on a copy of the disc and installs into a folder of its own; what the
// installer writes elsewhere (the registry, the Start menu, the uninstaller's temporary copy) is
// removed before and after each test.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "e2e/product_fixture.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

constexpr const char* kGuid = "{5484514B-6C3D-4F8B-ABD9-2D12B6816F9F}";
const std::string kUninstallKey =
    std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + kGuid;
constexpr const char* kPublisherKey = "Software\\Galdoris Interactive";
constexpr const char* kSessionManagerKey = "System\\CurrentControlSet\\Control\\Session Manager";
constexpr std::uint32_t kString = 1;  // REG_SZ
constexpr std::uint32_t kDword = 4;   // REG_DWORD
// The longest install folder the programs can read from "Location".
constexpr std::size_t kLongestFolder = 79;

bool Contains(const std::vector<std::uint8_t>& bytes, const std::string& text) {
    return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}

// Everything in a folder, files and folders, by name relative to it and in order. A folder that
// changes while it is listed gives what could be seen of it.
std::vector<fs::path> Contents(const fs::path& folder) {
    std::vector<fs::path> names;
    std::error_code error;
    for (fs::recursive_directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        names.push_back(fs::relative(entry->path(), folder));
    }
    std::sort(names.begin(), names.end());
    return names;
}

class InstallerTest : public DriverTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(DriverTest::SetUp());
        programs_.emplace(*wine_);
        // Both the disc and the installation lie in the temporary folder: every program run
        // from either ends with the test.
        programs_->Watch(temporary_.Path());
        ParkMousePointer();
        ASSERT_TRUE(CopyFolder(WineEnvironment::WindowsBuildFolder() / "disc", disc_));
        ASSERT_LE(WindowsPath(folder_).size(), kLongestFolder);
        ASSERT_TRUE(ForgetInstallation());
    }

    void TearDown() override {
        programs_.reset();
        EXPECT_TRUE(ForgetInstallation());
    }

    // What the installer leaves outside its folder: the game's key and uninstall entry, the
    // Start menu's shortcut, and the uninstaller's copy of itself in the temporary folder with
    // the removal of that copy that Windows would carry out at the next start.
    bool ForgetInstallation() {
        std::error_code ignored;
        fs::remove(Shortcut(), ignored);
        const fs::path temporary = WineTemporaryFolder(wine_->Prefix());
        for (const auto& entry : fs::directory_iterator(temporary, ignored)) {
            if (entry.path().filename().string().rfind("~nsu", 0) == 0)
                fs::remove_all(entry.path(), ignored);
        }
        return driver_->DeleteRegistryKey(RegistryRoot::LocalMachine, kPublisherKey) &&
               driver_->DeleteRegistryKey(RegistryRoot::LocalMachine, kUninstallKey) &&
               driver_->DeleteRegistryValue(RegistryRoot::LocalMachine, kSessionManagerKey,
                                            "PendingFileRenameOperations");
    }

    fs::path Shortcut() const {
        return fs::path(wine_->Prefix()) / "drive_c" / "ProgramData" / "Microsoft" / "Windows" /
               "Start Menu" / "Programs" / "Tavrin Demo.lnk";
    }

    // setup.exe /S /D=FOLDER as typed at a command prompt: the folder comes last, unquoted, its
    // blanks and all. The installer's exit code.
    std::optional<int> RunInstaller(const fs::path& folder) {
        std::vector<std::string> arguments{"/S"};
        std::string typed = "/D=" + WindowsPath(folder);
        for (std::size_t blank; (blank = typed.find(' ')) != std::string::npos;) {
            arguments.push_back(typed.substr(0, blank));
            typed.erase(0, blank + 1);
        }
        arguments.push_back(typed);
        return programs_->Start(disc_ / "setup.exe", arguments, disc_).WaitForExit(kGenerousWait);
    }

    void Install() { ASSERT_EQ(RunInstaller(folder_), 0); }

    std::optional<std::string> GameValue(const char* name) { return Text(kGameKey, name); }
    std::optional<std::string> UninstallValue(const char* name) {
        return Text(kUninstallKey, name);
    }
    std::optional<std::string> Text(const std::string& key, const char* name) {
        const std::optional<RegistryText> value =
            driver_->ReadRegistryValue(RegistryRoot::LocalMachine, key, name);
        if (!value || value->type != kString)
            return std::nullopt;
        return value->text;
    }

    // The recorder in place of a program, to see how it is started.
    void Record(const fs::path& program) {
        const std::optional<std::vector<std::uint8_t>> recorder = ReadFileBytes(
            WineEnvironment::WindowsBuildFolder() / "tools" / "recorder" / "recorder.exe");
        ASSERT_TRUE(recorder);
        ASSERT_TRUE(WriteFileBytes(program, *recorder));
    }
    // Each command line the recorder saw as `program`, once it has seen `count`.
    std::vector<std::string> Recorded(const fs::path& program, std::size_t count = 1) {
        std::vector<std::string> lines;
        WaitUntil([&] {
            const std::optional<std::vector<std::uint8_t>> bytes =
                ReadFileBytes(program.string() + ".log");
            lines.clear();
            std::string text = bytes ? std::string(bytes->begin(), bytes->end()) : "";
            for (std::size_t end; (end = text.find('\n')) != std::string::npos;) {
                lines.push_back(text.substr(0, end));
                text.erase(0, end + 1);
            }
            return lines.size() >= count;
        });
        return lines;
    }

    std::optional<WindowInfo> OpenLauncher(const fs::path& program) {
        // Started from the disc, as a player who keeps the disc in: the launcher must still find
        // what it starts through the registry, not in the folder it runs in.
        launcher_ = &programs_->Start(program, {}, disc_);
        return driver_->FindWindow(kLauncherTitle);
    }

    static bool Handled(const ActionResult& result) {
        return result.outcome == ActionOutcome::Finished || result.outcome == ActionOutcome::Gone;
    }

    std::optional<std::string> Caption(const WindowInfo& window, int id) {
        const std::optional<ControlInfo> control = driver_->Control(window.handle, id);
        return control ? std::optional(control->text) : std::nullopt;
    }

    std::optional<Programs> programs_;
    TemporaryFolder temporary_;
    const fs::path disc_ = temporary_.Path() / "disc";
    const fs::path folder_ = temporary_.Path() / "Galdoris Interactive" / "Tavrin Demo";
    WineProcess* launcher_ = nullptr;
};

TEST_F(InstallerTest, SilentInstallPlacesTheShippedFilesAndRegistersTheGame) {
    ASSERT_NO_FATAL_FAILURE(Install());
    const std::string folder = WindowsPath(folder_);
    const std::string uninstaller = folder + "\\Uninstall.exe";

    // In the 32-bit view, where the programs look, as a 32-bit installer's values would be.
    EXPECT_EQ(GameValue("Location"), folder);
    EXPECT_EQ(GameValue("GUID"), kGuid);
    const std::optional<std::string> command = UninstallValue("UninstallString");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->rfind("\"" + uninstaller + "\" /", 0), 0u) << *command;
    EXPECT_EQ(UninstallValue("DisplayName"), "Tavrin Demo");
    EXPECT_EQ(UninstallValue("DisplayIcon"), folder + "\\TavrinConfig.exe,0");
    EXPECT_EQ(UninstallValue("Publisher"), "Galdoris Interactive");
    EXPECT_EQ(UninstallValue("DisplayVersion"), "1.00");
    for (const char* flag : {"NoModify", "NoRepair"}) {
        const std::optional<RegistryText> value =
            driver_->ReadRegistryValue(RegistryRoot::LocalMachine, kUninstallKey, flag);
        ASSERT_TRUE(value) << flag;
        EXPECT_EQ(value->type, kDword) << flag;
        EXPECT_EQ(value->text, "1") << flag;
    }

    // The demo installation and the uninstaller, each file as the build prepared it for
    // shipping: stripped, the symbols left behind.
    const fs::path demo = WineEnvironment::WindowsBuildFolder() / "demo";
    std::vector<fs::path> expected = Contents(demo);
    std::erase(expected, "tavrin.dat");  // left there by a run of the demo
    expected.push_back("Uninstall.exe");
    std::sort(expected.begin(), expected.end());
    const std::vector<fs::path> installed = Contents(folder_);
    EXPECT_EQ(installed, expected);
    const fs::path shipped = WineEnvironment::WindowsBuildFolder() / "installer" / "files";
    for (const fs::path& name : installed) {
        if (!fs::is_regular_file(folder_ / name) || name == "Uninstall.exe")
            continue;
        SCOPED_TRACE(name.string());
        const std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(folder_ / name);
        ASSERT_TRUE(bytes);
        EXPECT_TRUE(bytes == ReadFileBytes(shipped / name));
        EXPECT_FALSE(Contains(*bytes, ".debug_info"));
    }
    EXPECT_TRUE(fs::exists(Shortcut()));
}

TEST_F(InstallerTest, FolderTooLongForTheProgramsIsRefused) {
    const fs::path deep = folder_ / std::string(kLongestFolder, 'x');
    EXPECT_EQ(RunInstaller(deep), 2);
    EXPECT_FALSE(fs::exists(deep));
    EXPECT_FALSE(GameValue("Location"));
}

TEST_F(InstallerTest, InstalledLauncherOffersUpdateInstallAndStartsTheInstalledSetupTool) {
    ASSERT_NO_FATAL_FAILURE(Install());
    const fs::path setupTool = folder_ / "Config.exe";
    ASSERT_NO_FATAL_FAILURE(Record(setupTool));
    const std::optional<WindowInfo> launcher = OpenLauncher(folder_ / "TavrinConfig.exe");
    ASSERT_TRUE(launcher) << driver_->LastError();
    EXPECT_EQ(Caption(*launcher, IDC_UPDATE_INSTALL), "Update Install");

    for (int button : {IDC_VIDEO, IDC_AUDIO, IDC_CONTROLS})
        EXPECT_EQ(driver_->Click(launcher->handle, button).outcome, ActionOutcome::Finished);
    // The three recorders run side by side: their lines come in any order.
    std::vector<std::string> started = Recorded(setupTool, 3);
    std::sort(started.begin(), started.end());
    const std::string quoted = "\"" + WindowsPath(setupTool) + "\" ";
    EXPECT_EQ(started, (std::vector<std::string>{quoted + "control 0", quoted + "graphics 0",
                                                 quoted + "sound 0"}));
}

TEST_F(InstallerTest, UpdateInstallStartsTheQuotedUninstallerAloneAndEnds) {
    ASSERT_NO_FATAL_FAILURE(Install());
    const fs::path uninstaller = folder_ / "Uninstall.exe";
    ASSERT_NO_FATAL_FAILURE(Record(uninstaller));
    const std::optional<WindowInfo> launcher = OpenLauncher(folder_ / "TavrinConfig.exe");
    ASSERT_TRUE(launcher) << driver_->LastError();

    EXPECT_TRUE(Handled(driver_->Click(launcher->handle, IDC_UPDATE_INSTALL)));
    EXPECT_TRUE(launcher_->WaitForExit(kGenerousWait));
    EXPECT_EQ(Recorded(uninstaller),
              std::vector<std::string>{"\"" + WindowsPath(uninstaller) + "\""});
}

TEST_F(InstallerTest, SilentUninstallRemovesTheGameButKeepsTheSettings) {
    ASSERT_NO_FATAL_FAILURE(Install());
    const std::vector<std::uint8_t> settings(172, 7);
    ASSERT_TRUE(WriteFileBytes(folder_ / "tavrin.dat", settings));

    // The uninstaller hands the removal to a copy of itself and ends at once: the removal is
    // over when nothing of the game is left beside the settings file.
    programs_->Start(folder_ / "Uninstall.exe", {"/S"}, disc_);
    std::vector<fs::path> left;
    EXPECT_TRUE(WaitUntil([&] {
        left = Contents(folder_);
        return left == std::vector<fs::path>{"tavrin.dat"} && !UninstallValue("UninstallString") &&
               !GameValue("Location");
    })) << left.size()
        << " files left";
    EXPECT_EQ(ReadFileBytes(folder_ / "tavrin.dat"), settings);
    EXPECT_FALSE(fs::exists(Shortcut()));
    EXPECT_FALSE(UninstallValue("DisplayName"));

    // The game's key is gone as a whole: the launcher on the disc offers to install again.
    const std::optional<WindowInfo> launcher = OpenLauncher(disc_ / "TavrinConfig.exe");
    ASSERT_TRUE(launcher) << driver_->LastError();
    EXPECT_TRUE(WaitUntil([&] { return Caption(*launcher, IDC_UPDATE_INSTALL) == "Install"; }));
}

// A player who says so loses the settings too, and nothing of the game is left: the publisher's
// folder that the game's folder stood in goes as well, once empty.
TEST_F(InstallerTest, UninstallRemovesTheSettingsWhenThePlayerSaysSo) {
    ASSERT_NO_FATAL_FAILURE(Install());
    ASSERT_TRUE(WriteFileBytes(folder_ / "tavrin.dat", std::vector<std::uint8_t>(172, 7)));

    programs_->Start(folder_ / "Uninstall.exe", {}, disc_,
                     {{"LANG", "en_US.UTF-8"}, {"LC_ALL", "en_US.UTF-8"}});
    // NSIS ends the uninstaller's title with a blank.
    const std::optional<WindowInfo> uninstaller = driver_->FindWindow("Tavrin Demo Uninstall ");
    ASSERT_TRUE(uninstaller) << driver_->LastError();
    EXPECT_NE(driver_->Click(uninstaller->handle, kIdOk).outcome, ActionOutcome::Failed);
    const std::optional<MessageBoxInfo> question = driver_->FindMessageBox();
    ASSERT_TRUE(question) << driver_->LastError();
    EXPECT_EQ(question->text,
              "Keep your Tavrin settings (display, sound and controls) for a later installation?");
    EXPECT_TRUE(Handled(driver_->AnswerMessageBox(question->window.handle, kIdNo)));
    EXPECT_TRUE(WaitUntil([&] { return !fs::exists(folder_.parent_path()); }));
    // Close, once the uninstaller has done its last step.
    EXPECT_TRUE(WaitUntil([&] {
        const std::optional<ControlInfo> close = driver_->Control(uninstaller->handle, kIdOk);
        return close && close->enabled;
    }));
    EXPECT_TRUE(Handled(driver_->Click(uninstaller->handle, kIdOk)));
    EXPECT_TRUE(driver_->WaitGone(uninstaller->handle));
}

TEST_F(InstallerTest, LauncherOnTheDiscOffersInstallAndStartsSetup) {
    const fs::path setup = disc_ / "setup.exe";
    ASSERT_NO_FATAL_FAILURE(Record(setup));
    const std::optional<WindowInfo> launcher = OpenLauncher(disc_ / "TavrinConfig.exe");
    ASSERT_TRUE(launcher) << driver_->LastError();
    EXPECT_EQ(Caption(*launcher, IDC_UPDATE_INSTALL), "Install");
    for (int id : {IDC_PLAY, IDC_CONTROLS, IDC_AUDIO, IDC_VIDEO, IDC_REGISTER})
        EXPECT_FALSE(driver_->Control(launcher->handle, id)->enabled) << id;

    EXPECT_TRUE(Handled(driver_->Click(launcher->handle, IDC_UPDATE_INSTALL)));
    EXPECT_TRUE(launcher_->WaitForExit(kGenerousWait));
    EXPECT_EQ(Recorded(setup).size(), 1u);
}

}  // namespace
}  // namespace e2e
