// The launcher window and its buttons, with the programs it starts replaced by the recorder where
// a test needs to see what was started.

#include <algorithm>
#include <cctype>

#include "e2e/product_fixture.h"
#include "support/settings_builder.h"

namespace e2e {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr const char* kUninstallGuid = "{7A3C0C44-5D0E-4C43-9A5B-2F4C1E3D9B01}";
const std::string kUninstallKey =
    std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + kUninstallGuid;

const std::string kCannotFind = "Cannot find the required file.\nTry re-installing Tavrin";

// The temporary folder of the Wine user, TEMP and TMP in HKCU\Environment, which every program
// started afterwards takes on; put back as it was when the object goes.
class UserTemporaryFolder {
  public:
    explicit UserTemporaryFolder(Driver& driver) : driver_(driver) {
        for (const char* name : kNames)
            saved_.push_back(driver_.ReadRegistryValue(RegistryRoot::CurrentUser, kKey, name));
    }
    ~UserTemporaryFolder() {
        for (std::size_t i = 0; i < saved_.size(); ++i) {
            if (saved_[i]) {
                driver_.SetRegistryText(RegistryRoot::CurrentUser, kKey, kNames[i],
                                        saved_[i]->text);
            } else {
                driver_.DeleteRegistryValue(RegistryRoot::CurrentUser, kKey, kNames[i]);
            }
        }
    }
    UserTemporaryFolder(const UserTemporaryFolder&) = delete;
    UserTemporaryFolder& operator=(const UserTemporaryFolder&) = delete;

    // False when the values cannot be set, or could not be put back as they were: the driver
    // writes plain strings only, and an expandable value ("%USERPROFILE%...") would be broken.
    bool Set(const std::string& folder) {
        for (const std::optional<RegistryText>& value : saved_) {
            if (value && value->type != kPlainString)
                return false;
        }
        for (const char* name : kNames) {
            if (!driver_.SetRegistryText(RegistryRoot::CurrentUser, kKey, name, folder))
                return false;
        }
        return true;
    }

  private:
    static constexpr const char* kKey = "Environment";
    static constexpr const char* kNames[] = {"TEMP", "TMP"};
    static constexpr std::uint32_t kPlainString = 1;  // REG_SZ

    Driver& driver_;
    std::vector<std::optional<RegistryText>> saved_;
};

class LauncherTest : public ProductTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ProductTest::SetUp());
        temporaryLanguageFile_ = WineTemporaryFolder(wine_->Prefix()) / "tavrin.dat";
        RemoveFile(temporaryLanguageFile_);
    }

    void TearDown() override {
        RemoveFile(temporaryLanguageFile_);
        driver_->DeleteRegistryKey(RegistryRoot::LocalMachine, kUninstallKey);
        ProductTest::TearDown();
    }

    std::optional<WindowInfo> OpenLauncher(
        const std::string& title = kLauncherTitle,
        std::vector<std::pair<std::string, std::string>> environment = {}) {
        launcher_ = &programs_->Start(installation_->File("TavrinConfig.exe"), {},
                                      installation_->Folder(), std::move(environment));
        std::optional<WindowInfo> launcher = driver_->FindWindow(title);
        // It makes its tooltips once it has painted.
        if (launcher &&
            !WaitUntil([&] { return driver_->Tooltip(launcher->handle, IDC_CLOSE).has_value(); })) {
            return std::nullopt;
        }
        return launcher;
    }

    MessageBoxInfo ExpectMessage(const ActionResult& click) {
        EXPECT_EQ(click.outcome, ActionOutcome::MessageBox);
        const std::optional<MessageBoxInfo> box = driver_->FindMessageBox();
        EXPECT_TRUE(box) << driver_->LastError();
        if (!box)
            return {};
        EXPECT_TRUE(Handled(driver_->AnswerMessageBox(box->window.handle, kIdOk)));
        return *box;
    }

    std::filesystem::path temporaryLanguageFile_;
    WineProcess* launcher_ = nullptr;
};

TEST_F(LauncherTest, WithoutTheGameInstalledOnlyInstallAndTheOtherButtonsWork) {
    ASSERT_TRUE(installation_->RemoveKey());
    const std::optional<WindowInfo> launcher = OpenLauncher();
    ASSERT_TRUE(launcher) << driver_->LastError();
    EXPECT_EQ(ControlText(*launcher, IDC_UPDATE_INSTALL), "Install");
    EXPECT_EQ(driver_->Tooltip(launcher->handle, IDC_UPDATE_INSTALL), "Install Tavrin");
    for (int id : {IDC_PLAY, IDC_CONTROLS, IDC_AUDIO, IDC_VIDEO, IDC_REGISTER}) {
        EXPECT_FALSE(driver_->Control(launcher->handle, id)->enabled) << id;
    }
    for (int id : {IDC_CLOSE, IDC_READ_ME, IDC_GAME_SITE, IDC_PUBLISHER_SITE, IDC_DEVELOPER_SITE,
                   IDC_UPDATE_INSTALL}) {
        EXPECT_TRUE(driver_->Control(launcher->handle, id)->enabled) << id;
    }

    // Installing the game while the launcher is open shows at its next paint, in the install
    // button's caption and tooltip alike; removing it again, the same way back.
    ASSERT_TRUE(installation_->SetLocationToFolder());
    ASSERT_TRUE(driver_->Redraw(launcher->handle));
    EXPECT_TRUE(
        WaitUntil([&] { return ControlText(*launcher, IDC_UPDATE_INSTALL) == "Update Install"; }));
    EXPECT_EQ(driver_->Tooltip(launcher->handle, IDC_UPDATE_INSTALL),
              "Un-install, Re-install Tavrin");
    for (int id : {IDC_PLAY, IDC_CONTROLS, IDC_AUDIO, IDC_VIDEO, IDC_REGISTER}) {
        EXPECT_TRUE(driver_->Control(launcher->handle, id)->enabled) << id;
    }
    ASSERT_TRUE(installation_->RemoveKey());
    ASSERT_TRUE(driver_->Redraw(launcher->handle));
    EXPECT_TRUE(WaitUntil([&] { return ControlText(*launcher, IDC_UPDATE_INSTALL) == "Install"; }));
    EXPECT_EQ(driver_->Tooltip(launcher->handle, IDC_UPDATE_INSTALL), "Install Tavrin");
}

TEST_F(LauncherTest, GermanSystemShowsGermanTextsAndLanguageNames) {
    const std::optional<WindowInfo> launcher =
        OpenLauncher("Tavrin-Launcher V1.0", {{"LANG", "de_CH.UTF-8"}, {"LC_ALL", "de_CH.UTF-8"}});
    ASSERT_TRUE(launcher) << driver_->LastError();
    const std::optional<ControlInfo> list = driver_->Control(launcher->handle, IDC_LANGUAGE_LIST);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->items, (std::vector<std::string>{"Englisch", "Franz\xC3\xB6sisch", "Deutsch",
                                                     "Italienisch", "Spanisch"}));
    EXPECT_EQ(list->selection, 2);
    EXPECT_FALSE(list->visible);
    for (int label : {IDC_SETTINGS_LABEL, IDC_WEB_SITES_LABEL, IDC_LANGUAGE_LABEL,
                      IDC_OTHER_INSTALLS_LABEL, IDC_INFORMATION_LABEL}) {
        EXPECT_EQ(ControlText(*launcher, label), "") << label;
    }
}

TEST_F(LauncherTest, BrazilianSystemGetsEnglish) {
    EXPECT_TRUE(OpenLauncher(kLauncherTitle, {{"LANG", "pt_BR.UTF-8"}, {"LC_ALL", "pt_BR.UTF-8"}}))
        << driver_->LastError();
}

TEST_F(LauncherTest, ValidSettingsFileOutranksTheSystemLanguage) {
    ASSERT_TRUE(installation_->WriteSettings(DistinctSettingsBytes(1)));
    EXPECT_TRUE(
        OpenLauncher("Lanceur Tavrin V1.0", {{"LANG", "de_CH.UTF-8"}, {"LC_ALL", "de_CH.UTF-8"}}))
        << driver_->LastError();
}

TEST_F(LauncherTest, TemporaryLanguageFileServesUntilAValidSettingsFileRetiresIt) {
    ASSERT_TRUE(WriteFileBytes(temporaryLanguageFile_, {3}));
    ASSERT_TRUE(installation_->RemoveKey());
    const std::optional<WindowInfo> italian = OpenLauncher("Launcher di Tavrin V1.0");
    ASSERT_TRUE(italian) << driver_->LastError();
    EXPECT_TRUE(Handled(driver_->Click(italian->handle, IDC_CLOSE)));
    ASSERT_TRUE(Ended(*launcher_));
    EXPECT_TRUE(ReadFileBytes(temporaryLanguageFile_));

    ASSERT_TRUE(installation_->SetLocationToFolder());
    ASSERT_TRUE(installation_->WriteSettings(DistinctSettingsBytes(1)));
    EXPECT_TRUE(OpenLauncher("Lanceur Tavrin V1.0")) << driver_->LastError();
    EXPECT_FALSE(ReadFileBytes(temporaryLanguageFile_));
}

// The temporary language file is never the settings file: with no usable temporary folder (TEMP
// and TMP longer than a path may be) there is none, rather than one in the current folder, and a
// temporary folder that is the install folder, named in another case, is not taken for one.
TEST_F(LauncherTest, TemporaryLanguageFileIsNeverTheSettingsFile) {
    const Bytes french = DistinctSettingsBytes(1);
    const std::string tooLong = "C:\\" + std::string(297, 't');
    std::string installFolder = WindowsPath(installation_->Folder());
    std::transform(installFolder.begin(), installFolder.end(), installFolder.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    UserTemporaryFolder temporary(*driver_);
    for (const std::string& folder : {tooLong, installFolder}) {
        SCOPED_TRACE(folder);
        ASSERT_TRUE(installation_->WriteSettings(french));
        ASSERT_TRUE(temporary.Set(folder)) << driver_->LastError();
        const std::optional<WindowInfo> launcher = OpenLauncher("Lanceur Tavrin V1.0");
        ASSERT_TRUE(launcher) << driver_->LastError();
        EXPECT_TRUE(Handled(driver_->Click(launcher->handle, IDC_CLOSE)));
        ASSERT_TRUE(Ended(*launcher_));
        EXPECT_EQ(installation_->Settings(), french);
    }

    // Without an install folder either, a language change has nowhere to go: it says so and
    // writes nothing into the folder the launcher runs in.
    ASSERT_TRUE(temporary.Set(tooLong));
    ASSERT_TRUE(installation_->RemoveKey());
    ASSERT_TRUE(RemoveFile(installation_->SettingsPath()));
    const std::optional<WindowInfo> launcher = OpenLauncher();
    ASSERT_TRUE(launcher) << driver_->LastError();
    EXPECT_EQ(
        ExpectMessage(driver_->SelectHiddenComboItem(launcher->handle, IDC_LANGUAGE_LIST, 1)).text,
        "Erreur de cr\xC3\xA9"
        "ation du fichier tavrin.dat");
    EXPECT_FALSE(installation_->Settings());
}

TEST_F(LauncherTest, LanguageChangeIsStoredInTheSettingsFile) {
    ASSERT_TRUE(installation_->WriteSettings(DistinctSettingsBytes(0)));
    const std::optional<WindowInfo> launcher = OpenLauncher();
    ASSERT_TRUE(launcher) << driver_->LastError();
    EXPECT_TRUE(Handled(driver_->SelectHiddenComboItem(launcher->handle, IDC_LANGUAGE_LIST, 4)));
    EXPECT_EQ(driver_->WindowText(launcher->handle), "Lanzador Tavrin V1.0");

    Bytes expected = DistinctSettingsBytes(4);
    EXPECT_EQ(installation_->Settings(), expected);
    EXPECT_FALSE(ReadFileBytes(temporaryLanguageFile_));
}

// An installer may let the player write "tavrin.dat" but create no file beside it: the settings
// file is then written in place, as a file that cannot be replaced whole.
TEST_F(LauncherTest, LanguageChangeIsStoredInAFolderThatTakesNoNewFiles) {
    ASSERT_TRUE(installation_->WriteSettings(DistinctSettingsBytes(0)));
    const std::optional<WindowInfo> launcher = OpenLauncher();
    ASSERT_TRUE(launcher) << driver_->LastError();
    const FolderWithoutNewFiles locked(installation_->Folder(), "tavrin.dat.new");
    ASSERT_TRUE(locked);
    if (locked.Simulated())
        RecordProperty("folder", "no immutable flag here: the new file's name taken instead");

    const ActionResult change =
        driver_->SelectHiddenComboItem(launcher->handle, IDC_LANGUAGE_LIST, 4);
    EXPECT_EQ(change.outcome, ActionOutcome::Finished) << change.outcome;
    EXPECT_EQ(installation_->Settings(), DistinctSettingsBytes(4));
}

TEST_F(LauncherTest, LanguageChangeWithoutAnInstallationWritesTheTemporaryFile) {
    ASSERT_TRUE(installation_->RemoveKey());
    const std::optional<WindowInfo> launcher = OpenLauncher();
    ASSERT_TRUE(launcher) << driver_->LastError();
    EXPECT_TRUE(Handled(driver_->SelectHiddenComboItem(launcher->handle, IDC_LANGUAGE_LIST, 4)));
    EXPECT_EQ(ReadFileBytes(temporaryLanguageFile_), Bytes{4});
    EXPECT_FALSE(installation_->Settings());
}

TEST_F(LauncherTest, SetupButtonsStartTheSetupToolInTheLaunchersLanguage) {
    // German from the temporary language file, and no settings file: a setup dialog would take
    // the language of one at its first paint, whatever number its command line holds.
    ASSERT_TRUE(WriteFileBytes(temporaryLanguageFile_, {2}));
    ASSERT_FALSE(installation_->Settings());
    const std::optional<WindowInfo> launcher = OpenLauncher("Tavrin-Launcher V1.0");
    ASSERT_TRUE(launcher) << driver_->LastError();
    struct Button {
        int id;
        const char* title;
        Milliseconds wait;
    };
    for (const Button& button : {Button{IDC_AUDIO, "Tavrin Audio-Setup", kGenerousWait},
                                 Button{IDC_VIDEO, "Tavrin Video-Setup", kSlowWindowWait},
                                 Button{IDC_CONTROLS, "Tavrin Steuerungs-Setup", kGenerousWait}}) {
        SCOPED_TRACE(button.title);
        EXPECT_TRUE(Handled(driver_->Click(launcher->handle, button.id)));
        const std::optional<WindowInfo> setup = driver_->FindWindow(button.title, button.wait);
        ASSERT_TRUE(setup) << driver_->LastError();

        // While a setup process runs every launcher button does nothing, Close included.
        EXPECT_TRUE(Handled(driver_->Click(launcher->handle, IDC_CLOSE)));
        EXPECT_TRUE(Handled(driver_->Click(launcher->handle, IDC_READ_ME)));
        EXPECT_FALSE(driver_->FindMessageBox(0, Milliseconds{300}));
        EXPECT_TRUE(launcher_->Running());

        const int cancel = button.id == IDC_CONTROLS ? IDC_CONTROL_CANCEL : kIdCancel;
        EXPECT_TRUE(Handled(driver_->Click(setup->handle, cancel)));
        ASSERT_TRUE(driver_->WaitGone(setup->handle));
        ASSERT_TRUE(WaitUntil([&] { return !programs_->Running("Config.exe"); }));
    }
    // With the setup tool gone the buttons work again.
    EXPECT_TRUE(Handled(driver_->Click(launcher->handle, IDC_CLOSE)));
    EXPECT_TRUE(Ended(*launcher_));
}

TEST_F(LauncherTest, PlayRestoresMissingBindingsStartsTheGameAndEnds) {
    Record("tavrin.exe");
    Bytes before = DistinctSettingsBytes(0);
    PutLittleEndian32(before, 80 + 4 * 6, 0);   // keyboard "Tav"
    PutLittleEndian32(before, 124 + 4 * 6, 0);  // controller "Tav"
    ASSERT_TRUE(installation_->WriteSettings(before));
    const std::optional<WindowInfo> launcher = OpenLauncher();
    ASSERT_TRUE(launcher) << driver_->LastError();

    EXPECT_TRUE(Handled(driver_->Click(launcher->handle, IDC_PLAY)));
    EXPECT_TRUE(Ended(*launcher_));
    EXPECT_TRUE(Recorded("tavrin.exe"));

    Bytes expected = before;
    const std::uint32_t keyboard[] = {242, 244, 239, 247, 68, 81, 95, 83, 84};
    const std::uint32_t controller[] = {33, 33, 34, 34, 2, 3, 1, 4, 5};
    for (int i = 0; i < 9; ++i) {
        PutLittleEndian32(expected, 80 + 4 * i, keyboard[i]);
        PutLittleEndian32(expected, 124 + 4 * i, controller[i]);
    }
    PutLittleEndian32(expected, 116, 39);
    EXPECT_EQ(installation_->Settings(), expected);
}

// The Windows version Wine reports to one program (its "AppDefaults"), for one test.
class WindowsVersionForProgram {
  public:
    WindowsVersionForProgram(Driver& driver, const std::string& program, const std::string& version)
        : driver_(driver), key_("Software\\Wine\\AppDefaults\\" + program) {
        set_ = driver_.SetRegistryText(RegistryRoot::CurrentUser, key_, "Version", version);
    }
    ~WindowsVersionForProgram() { driver_.DeleteRegistryKey(RegistryRoot::CurrentUser, key_); }
    WindowsVersionForProgram(const WindowsVersionForProgram&) = delete;
    WindowsVersionForProgram& operator=(const WindowsVersionForProgram&) = delete;

    bool Set() const { return set_; }

  private:
    Driver& driver_;
    std::string key_;
    bool set_ = false;
};

// Every Windows from XP on includes DirectX 8.1; on an older one only DirectPlay's NAT helper,
// which came with it, shows that it was installed.
TEST_F(LauncherTest, WithoutDirectX81PlayAndSetupRefuseButReadMeAndWebSitesAct) {
    ASSERT_TRUE(RemoveFile(installation_->File("Readme.html")));
    const WindowsVersionForProgram windows2000(*driver_, "TavrinConfig.exe", "win2k");
    ASSERT_TRUE(windows2000.Set()) << driver_->LastError();
    const std::optional<WindowInfo> launcher =
        OpenLauncher(kLauncherTitle, {{"WINEDLLOVERRIDES", "mscoree,mshtml=;dpnhpast=d"}});
    ASSERT_TRUE(launcher) << driver_->LastError();
    for (int id : {IDC_PLAY, IDC_VIDEO, IDC_AUDIO, IDC_CONTROLS}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(ExpectMessage(driver_->Click(launcher->handle, id)).text,
                  "DirectX 8.1 not installed");
    }
    EXPECT_FALSE(programs_->Running("Config.exe"));
    // Read Me still tries, and says the readme is not there.
    EXPECT_EQ(ExpectMessage(driver_->Click(launcher->handle, IDC_READ_ME)).text, kCannotFind);
    // The web sites are handed to the system's browser; whatever it answers, it is not DirectX.
    for (int id : {IDC_GAME_SITE, IDC_PUBLISHER_SITE, IDC_DEVELOPER_SITE}) {
        SCOPED_TRACE(id);
        const ActionResult click = driver_->Click(launcher->handle, id);
        if (click.outcome == ActionOutcome::MessageBox) {
            EXPECT_NE(ExpectMessage(click).text, "DirectX 8.1 not installed");
        } else {
            EXPECT_EQ(click.outcome, ActionOutcome::Finished);
        }
    }
    EXPECT_TRUE(launcher_->Running());
}

TEST_F(LauncherTest, RegisterStartsTheRegistrationProgramWithItsOptions) {
    Record("GAL1.exe");
    const std::optional<WindowInfo> launcher = OpenLauncher();
    ASSERT_TRUE(launcher) << driver_->LastError();
    EXPECT_TRUE(Handled(driver_->Click(launcher->handle, IDC_REGISTER)));
    const std::optional<std::string> commandLine = Recorded("GAL1.exe");
    ASSERT_TRUE(commandLine);
    EXPECT_NE(commandLine->find("GAL1.exe\" /PRNM=\"Tavrin Demo\" /SKUN=\"41527\" /GTYP=\"ARCD\""),
              std::string::npos)
        << *commandLine;
    EXPECT_TRUE(launcher_->Running());
}

TEST_F(LauncherTest, UpdateInstallStartsOnlyTheQuotedUninstaller) {
    Record("uninst.exe");
    const std::string uninstaller = WindowsPath(installation_->File("uninst.exe"));
    ASSERT_TRUE(
        driver_->SetRegistryText(RegistryRoot::LocalMachine, kGameKey, "GUID", kUninstallGuid));
    ASSERT_TRUE(driver_->SetRegistryText(RegistryRoot::LocalMachine, kUninstallKey,
                                         "UninstallString",
                                         "\"" + uninstaller + "\" /S /LOG=uninstall.txt"));
    const std::optional<WindowInfo> launcher = OpenLauncher();
    ASSERT_TRUE(launcher) << driver_->LastError();
    EXPECT_TRUE(Handled(driver_->Click(launcher->handle, IDC_UPDATE_INSTALL)));
    EXPECT_TRUE(Ended(*launcher_));
    const std::optional<std::string> commandLine = Recorded("uninst.exe");
    ASSERT_TRUE(commandLine);
    EXPECT_NE(commandLine->find("uninst.exe"), std::string::npos) << *commandLine;
    EXPECT_EQ(commandLine->find("/S"), std::string::npos) << *commandLine;
}

TEST_F(LauncherTest, UpdateInstallKeepsTheArgumentsOfAnUnquotedCommand) {
    // The installation's folder has a blank in its name: the command is split where a program is.
    Record("uninst.exe");
    const std::string uninstaller = WindowsPath(installation_->File("uninst.exe"));
    ASSERT_NE(uninstaller.find(' '), std::string::npos);
    ASSERT_TRUE(
        driver_->SetRegistryText(RegistryRoot::LocalMachine, kGameKey, "GUID", kUninstallGuid));
    ASSERT_TRUE(driver_->SetRegistryText(RegistryRoot::LocalMachine, kUninstallKey,
                                         "UninstallString", uninstaller + " /X" + kUninstallGuid));
    const std::optional<WindowInfo> launcher = OpenLauncher();
    ASSERT_TRUE(launcher) << driver_->LastError();
    EXPECT_TRUE(Handled(driver_->Click(launcher->handle, IDC_UPDATE_INSTALL)));
    EXPECT_TRUE(Ended(*launcher_));
    const std::optional<std::string> commandLine = Recorded("uninst.exe");
    ASSERT_TRUE(commandLine);
    EXPECT_NE(commandLine->find(std::string("/X") + kUninstallGuid), std::string::npos)
        << *commandLine;
}

TEST_F(LauncherTest, UpdateInstallWithoutItsUninstallEntrySaysTheFileIsMissing) {
    ASSERT_TRUE(
        driver_->SetRegistryText(RegistryRoot::LocalMachine, kGameKey, "GUID", kUninstallGuid));
    const std::optional<WindowInfo> launcher = OpenLauncher();
    ASSERT_TRUE(launcher) << driver_->LastError();
    EXPECT_EQ(ExpectMessage(driver_->Click(launcher->handle, IDC_UPDATE_INSTALL)).text,
              kCannotFind);
    EXPECT_TRUE(launcher_->Running());
}

TEST_F(LauncherTest, MissingReadmeShowsTheStartFailureInTheLaunchersLanguage) {
    ASSERT_TRUE(RemoveFile(installation_->File("Readme.html")));
    ASSERT_TRUE(installation_->WriteSettings(DistinctSettingsBytes(3)));
    const std::optional<WindowInfo> launcher = OpenLauncher("Launcher di Tavrin V1.0");
    ASSERT_TRUE(launcher) << driver_->LastError();
    const MessageBoxInfo box = ExpectMessage(driver_->Click(launcher->handle, IDC_READ_ME));
    EXPECT_EQ(box.window.title, "Errore di Tavrin");
    // Wine answers a missing file with ERROR_FILE_NOT_FOUND.
    EXPECT_EQ(box.text, "Impossibile trovare il file richiesto.\nProva a reinstallare Tavrin");
    EXPECT_EQ(box.buttons.size(), 2u);
}

}  // namespace
}  // namespace e2e
