#pragma once
// The launcher window (template 102): play the game, open the three setup dialogs, read the
// readme, register, visit the web sites, install, update or remove the game. Its texts follow the
// language chosen from the system and the stored settings; its buttons follow the install state.

#include <windows.h>

#include "base/win/shell.h"
#include "base/win/tooltips.h"
#include "launcher/launch_targets.h"
#include "settings/settings_file.h"
#include "skin/win/skinned_dialog.h"

class LauncherDialog : public MappedDialog<LauncherDialog, SkinnedDialog> {
  public:
    LauncherDialog();

  private:
    friend class MappedDialog<LauncherDialog, SkinnedDialog>;
    static const MessageMap<LauncherDialog> kMessageMap;

    HandlerResult Initialise(const Message& message);
    // After the first paint: the tooltips, which show only under a resting pointer.
    HandlerResult FinishOpening(const Message& message);
    HandlerResult Paint(const Message& message);
    HandlerResult Destroyed(const Message& message);
    void LanguageChanged();

    // The buttons. While a setup process runs, every one of them does nothing at all.
    void PlayPressed();
    void ClosePressed();
    void VideoPressed() { StartSetupTool(LauncherButton::Video); }
    void AudioPressed() { StartSetupTool(LauncherButton::Audio); }
    void ControlsPressed() { StartSetupTool(LauncherButton::Controls); }
    void ReadMePressed() { StartButtonTarget(LauncherButton::ReadMe); }
    void RegisterPressed() { StartButtonTarget(LauncherButton::Register); }
    void GameSitePressed() { StartButtonTarget(LauncherButton::GameSite); }
    void PublisherSitePressed() { StartButtonTarget(LauncherButton::PublisherSite); }
    void DeveloperSitePressed() { StartButtonTarget(LauncherButton::DeveloperSite); }
    void UpdateInstallPressed();

    void StartSetupTool(LauncherButton button);
    void StartButtonTarget(LauncherButton button);
    // Starts a target through the shell, owned by this window; a failed start is reported.
    bool Start(const LaunchTarget& target);
    void ShowError(const char* text);

    void AddLauncherTooltips();
    void ApplyLauncherTexts();
    void ApplyInstallState();

    SettingsFile record_;
    bool directX81Present_ = false;
    Shell shell_;
    Tooltips tooltips_;
    bool tipSaysInstalled_ = false;  // which of its two tooltips the install button has
};
