#include "settings/win/settings_readers.h"

#include "texts/local_text.h"
#include "texts/messages.h"
#include "base/win/startup_log.h"
#include "base/win/ui_text.h"
#include "settings/launcher_load.h"

SettingsReadOutcome ReadSettingsForDialog(HWND owner, SettingsFile& record, FileAccess access) {
    const StartupStep step("settings read");
    const std::optional<std::string> path = SettingsPath();
    if (!path)
        return SettingsReadOutcome::Missing;
    const std::optional<std::vector<std::uint8_t>> bytes = ReadSettingsBytes(*path, access);
    if (!bytes)
        return SettingsReadOutcome::Missing;
    OverlaySettings(record, bytes->data(), bytes->size());
    if (ReadPassesVersionTest(record, bytes->size()))
        return SettingsReadOutcome::Valid;
    ShowMessage(owner, Localise(texts::messages::kSettingsOutOfDate),
                Localise(texts::messages::kErrorCaption), MB_OK | MB_ICONERROR);
    return SettingsReadOutcome::OutOfDate;
}

void TakeLanguageFromSettingsFile() {
    const StartupStep step("settings read for the language");
    const std::optional<std::string> path = SettingsPath();
    if (!path)
        return;
    const std::optional<std::vector<std::uint8_t>> bytes =
        ReadSettingsBytes(*path, kSharedReadWrite);
    if (!bytes)
        return;
    if (const std::optional<int> language = RepaintLanguage(*bytes))
        SetCurrentLanguage(*language);
}

bool WriteSettingsOrReport(HWND owner, SettingsFile& record, FileAccess access) {
    const std::optional<std::string> path = SettingsPath();
    if (path && WriteSettings(*path, record, access))
        return true;
    ShowMessage(owner, Localise(texts::messages::kSettingsCreateError),
                Localise(texts::messages::kErrorCaption), MB_OKCANCEL);
    return false;
}
