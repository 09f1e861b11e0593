#include "launcher/win/launcher_dialog.h"

#include "texts/launcher_texts.h"
#include "texts/local_text.h"
#include "texts/messages.h"
#include "texts/start_failure.h"
#include "texts/system_language.h"
#include "base/win/combo_box.h"
#include "base/win/instance_mutex.h"
#include "base/win/registry_key.h"
#include "base/win/startup_log.h"
#include "base/win/ui_text.h"
#include "launcher/uninstall_command.h"
#include "launcher/win/directx81.h"
#include "resources/resource_ids.h"
#include "settings/win/install_folder_win.h"
#include "settings/win/launcher_settings.h"
#include "settings/win/settings_readers.h"

namespace text = texts::launcher;

namespace {

// The section labels of the template stay empty in every language.
constexpr int kSectionLabels[] = {IDC_SETTINGS_LABEL, IDC_WEB_SITES_LABEL, IDC_LANGUAGE_LABEL,
                                  IDC_OTHER_INSTALLS_LABEL, IDC_INFORMATION_LABEL};

// The buttons that need an installation.
constexpr int kInstalledOnlyButtons[] = {IDC_PLAY, IDC_CONTROLS, IDC_AUDIO, IDC_VIDEO,
                                         IDC_REGISTER};

const char* InstallTip(bool installed) {
    return Localise(installed ? text::kUpdateInstallTip : text::kInstallTip);
}

bool GameInstalled() {
    return static_cast<bool>(RegistryKey::OpenForReading(kGameKeyPath));
}

// Whether `program` names a file Windows would start: as given, or found along the search path
// (with ".exe" added when it has no extension).
bool ProgramExists(const std::string& program) {
    char found[MAX_PATH];
    return SearchPathA(nullptr, program.c_str(), ".exe", MAX_PATH, found, nullptr) > 0;
}

void SetIcons(HWND window) {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    // Shared icons belong to the system: nothing to destroy later.
    const auto load = [module](int metricX, int metricY) {
        return reinterpret_cast<LPARAM>(LoadImageW(module, MAKEINTRESOURCEW(IDI_TAVRIN), IMAGE_ICON,
                                                   GetSystemMetrics(metricX),
                                                   GetSystemMetrics(metricY), LR_SHARED));
    };
    SendMessageW(window, WM_SETICON, ICON_BIG, load(SM_CXICON, SM_CYICON));
    SendMessageW(window, WM_SETICON, ICON_SMALL, load(SM_CXSMICON, SM_CYSMICON));
}

}  // namespace

const MessageMap<LauncherDialog> LauncherDialog::kMessageMap = {
    OnInitDialog(&LauncherDialog::Initialise),
    OnMessage(kAfterFirstPaint, &LauncherDialog::FinishOpening),
    OnMessage(WM_PAINT, &LauncherDialog::Paint),
    OnMessage(WM_DESTROY, &LauncherDialog::Destroyed),
    OnCommand(IDC_PLAY, BN_CLICKED, &LauncherDialog::PlayPressed),
    OnCommand(IDC_CLOSE, BN_CLICKED, &LauncherDialog::ClosePressed),
    OnCommand(IDCANCEL, BN_CLICKED, &LauncherDialog::ClosePressed),
    OnCommand(IDC_VIDEO, BN_CLICKED, &LauncherDialog::VideoPressed),
    OnCommand(IDC_AUDIO, BN_CLICKED, &LauncherDialog::AudioPressed),
    OnCommand(IDC_CONTROLS, BN_CLICKED, &LauncherDialog::ControlsPressed),
    OnCommand(IDC_READ_ME, BN_CLICKED, &LauncherDialog::ReadMePressed),
    OnCommand(IDC_REGISTER, BN_CLICKED, &LauncherDialog::RegisterPressed),
    OnCommand(IDC_GAME_SITE, BN_CLICKED, &LauncherDialog::GameSitePressed),
    OnCommand(IDC_PUBLISHER_SITE, BN_CLICKED, &LauncherDialog::PublisherSitePressed),
    OnCommand(IDC_DEVELOPER_SITE, BN_CLICKED, &LauncherDialog::DeveloperSitePressed),
    OnCommand(IDC_UPDATE_INSTALL, BN_CLICKED, &LauncherDialog::UpdateInstallPressed),
    OnCommand(IDC_LANGUAGE_LIST, CBN_SELCHANGE, &LauncherDialog::LanguageChanged),
    ChainMessageMap<SkinnedDialog>(),
};

LauncherDialog::LauncherDialog() : MappedDialog(IDD_LAUNCHER) {}

HandlerResult LauncherDialog::Initialise(const Message&) {
    SetCurrentLanguage(LanguageFromLangId(GetUserDefaultLangID()));
    RunLauncherLoad(Window(), record_);
    ApplyLauncherTexts();
    {
        const StartupStep step("directx 8.1 test");
        directX81Present_ = DirectX81Present(RunningWindowsVersion());
    }
    SetIcons(Window());
    // The language follows the system and the stored settings; the player has no list to open.
    ShowWindow(Item(IDC_LANGUAGE_LIST), SW_HIDE);
    // The tooltips show only under a resting pointer: they are made once the window is painted.
    RunAfterFirstPaint();
    return TRUE;
}

HandlerResult LauncherDialog::FinishOpening(const Message&) {
    AddLauncherTooltips();
    StartupMark("ready");
    return 0;
}

HandlerResult LauncherDialog::Paint(const Message&) {
    // Installing or removing the game while the launcher is open shows at the next paint.
    ApplyInstallState();
    return std::nullopt;
}

HandlerResult LauncherDialog::Destroyed(const Message&) {
    tooltips_.Destroy();
    return std::nullopt;
}

void LauncherDialog::AddLauncherTooltips() {
    tipSaysInstalled_ = GameInstalled();
    tooltips_.Create(Window());
    tooltips_.Add(IDC_PLAY, Localise(text::kPlay));
    tooltips_.Add(IDC_CLOSE, Localise(text::kCloseTip));
    tooltips_.Add(IDC_VIDEO, Localise(text::kVideoTip));
    tooltips_.Add(IDC_AUDIO, Localise(text::kAudioTip));
    tooltips_.Add(IDC_CONTROLS, Localise(text::kControlsTip));
    tooltips_.Add(IDC_GAME_SITE, Localise(text::kTavrinTip));
    tooltips_.Add(IDC_PUBLISHER_SITE, Localise(text::kGaldorisTip));
    tooltips_.Add(IDC_DEVELOPER_SITE, Localise(text::kMorvekGamesTip));
    tooltips_.Add(IDC_READ_ME, Localise(text::kReadMeTip));
    tooltips_.Add(IDC_REGISTER, Localise(text::kRegisterTip));
    tooltips_.Add(IDC_LANGUAGE_LIST, Localise(text::kLanguageTip));
    tooltips_.Add(IDC_UPDATE_INSTALL, InstallTip(tipSaysInstalled_));
    tooltips_.Activate();
}

void LauncherDialog::ApplyLauncherTexts() {
    const HWND window = Window();
    SetItemTextIfChanged(window, IDC_CLOSE, Localise(text::kClose));
    SetItemTextIfChanged(window, IDC_PLAY, Localise(text::kPlay));
    SetItemTextIfChanged(window, IDC_READ_ME, Localise(text::kReadMe));
    SetItemTextIfChanged(window, IDC_REGISTER, Localise(text::kRegister));
    SetItemTextIfChanged(window, IDC_CONTROLS, Localise(text::kControls));
    SetItemTextIfChanged(window, IDC_VIDEO, Localise(text::kVideo));
    SetItemTextIfChanged(window, IDC_AUDIO, Localise(text::kAudio));
    SetItemTextIfChanged(window, IDC_GAME_SITE, Localise(text::kTavrin));
    SetItemTextIfChanged(window, IDC_PUBLISHER_SITE, Localise(text::kGaldoris));
    SetItemTextIfChanged(window, IDC_DEVELOPER_SITE, Localise(text::kMorvekGames));
    SetItemTextIfChanged(window, IDC_TAVRIN_LABEL, Localise(text::kTavrin));
    for (int label : kSectionLabels)
        SetItemTextIfChanged(window, label, "");
    SetWindowTextIfChanged(window, Localise(text::kTitle));

    const HWND list = Item(IDC_LANGUAGE_LIST);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (std::size_t language = 0; language < text::kLanguageNames.size(); ++language)
        AddComboEntry(list, WideFromCodePage1252(Localise(text::kLanguageNames[language])),
                      language);
    SelectComboIndex(list, static_cast<std::size_t>(CurrentLanguage()));
}

void LauncherDialog::ApplyInstallState() {
    const bool installed = GameInstalled();
    SetItemTextIfChanged(Window(), IDC_UPDATE_INSTALL,
                         Localise(installed ? text::kUpdateInstall : text::kInstall));
    // The tooltip follows the caption; set only on a change, since a tooltip given a new text
    // while it shows is drawn again, and this runs at every paint.
    if (installed != tipSaysInstalled_) {
        tooltips_.SetText(IDC_UPDATE_INSTALL, InstallTip(installed));
        tipSaysInstalled_ = installed;
    }
    for (int button : kInstalledOnlyButtons) {
        const HWND item = Item(button);
        if ((IsWindowEnabled(item) != FALSE) != installed)
            EnableWindow(item, installed);
    }
}

void LauncherDialog::LanguageChanged() {
    RunLauncherLoad(Window(), record_);
    const std::optional<std::size_t> chosen = SelectedComboIndex(Item(IDC_LANGUAGE_LIST));
    if (!chosen)
        return;
    SetCurrentLanguage(static_cast<int>(*chosen));
    AddLauncherTooltips();
    ApplyLauncherTexts();
    InvalidateRect(Window(), nullptr, TRUE);
    StoreLauncherLanguage(Window(), record_);
    ApplyInstallState();
}

void LauncherDialog::ShowError(const char* message) {
    ShowMessage(Window(), message, Localise(texts::messages::kErrorCaption), MB_OKCANCEL);
}

bool LauncherDialog::Start(const LaunchTarget& target) {
    const std::intptr_t result =
        shell_.Open(Window(), target.file.c_str(),
                    target.parameters.empty() ? nullptr : target.parameters.c_str());
    const std::optional<LocalText> failure = StartFailureText(result, target.opensByFileType);
    if (!failure)
        return true;
    ShowError(Localise(*failure));
    return false;
}

void LauncherDialog::StartButtonTarget(LauncherButton button) {
    if (SetupToolRunning())
        return;
    const std::optional<LaunchTarget> target =
        TargetOf(button, ReadInstallFolder(), CurrentLanguage());
    if (!target) {
        ShowError(Localise(texts::messages::kRequiredFileMissing));
        return;
    }
    Start(*target);
}

void LauncherDialog::StartSetupTool(LauncherButton button) {
    if (SetupToolRunning())
        return;
    if (!directX81Present_) {
        ShowError(Localise(texts::messages::kDirectX81Missing));
        return;
    }
    StartButtonTarget(button);
}

void LauncherDialog::PlayPressed() {
    if (SetupToolRunning())
        return;
    if (!directX81Present_) {
        ShowError(Localise(texts::messages::kDirectX81Missing));
        return;
    }
    RunLauncherLoad(Window(), record_);
    // A file written by the graphics or audio dialog alone has no bindings: the game would have
    // no controls at all.
    if (record_.KeyboardBinding(SettingsAction::Tav) == 0 &&
        record_.ControllerBinding(SettingsAction::Tav) == 0) {
        ApplyDefaultBindings(record_);
    }
    record_.controlsConstant = kControlsConstant;
    WriteSettingsOrReport(Window(), record_, kExclusiveReadWrite);

    const std::optional<LaunchTarget> game =
        TargetOf(LauncherButton::Play, ReadInstallFolder(), CurrentLanguage());
    if (game) {
        Start(*game);
    } else {
        ShowError(Localise(texts::messages::kRequiredFileMissing));
    }
    End(0);  // whatever happened: the player has asked to play
}

void LauncherDialog::ClosePressed() {
    if (!SetupToolRunning())
        End(0);
}

void LauncherDialog::UpdateInstallPressed() {
    if (SetupToolRunning())
        return;
    const RegistryKey game = RegistryKey::OpenForReading(kGameKeyPath);
    if (!game) {
        if (Start({"setup.exe", "", false}))
            End(0);
        return;
    }
    const std::optional<std::string> guid = ReadRegistryText(game, "GUID", kGuidCapacity);
    const RegistryKey uninstall =
        guid ? RegistryKey::OpenForReading(UninstallKeyPath(*guid).c_str()) : RegistryKey();
    const std::optional<std::string> command =
        uninstall ? ReadRegistryText(uninstall, "UninstallString", kUninstallCommandCapacity)
                  : std::nullopt;
    const std::vector<ProgramStart> candidates =
        command ? UninstallerCandidates(*command) : std::vector<ProgramStart>{};
    if (candidates.empty()) {
        ShowError(Localise(texts::messages::kRequiredFileMissing));
        return;
    }
    ProgramStart chosen = candidates.front();
    for (const ProgramStart& candidate : candidates) {
        if (ProgramExists(candidate.program)) {
            chosen = candidate;
            break;
        }
    }
    if (Start({chosen.program, chosen.parameters, false}))
        End(0);
}
