#include "settings/win/launcher_settings.h"

#include "app/install_folder.h"
#include "app/local_text.h"
#include "app/texts/messages.h"
#include "app/win/install_folder_win.h"
#include "app/win/registry_key.h"
#include "app/win/ui_text.h"
#include "app/win/unique_handle.h"
#include "settings/launcher_load.h"
#include "settings/win/settings_store.h"

namespace {

std::optional<std::uint8_t> ReadTemporaryLanguage() {
    const UniqueHandle file(CreateFileA(TemporaryLanguagePath().c_str(), GENERIC_READ,
                                        FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    std::uint8_t byte = 0;
    DWORD read = 0;
    if (!ReadFile(file.Get(), &byte, 1, &read, nullptr) || read != 1)
        return std::nullopt;
    return byte;
}

void ReportCreateError(HWND owner) {
    ShowMessage(owner, Localise(texts::messages::kSettingsCreateError),
                Localise(texts::messages::kErrorCaption), MB_OKCANCEL);
}

}  // namespace

void RunLauncherLoad(HWND owner, SettingsFile& record) {
    LauncherFiles files;
    files.temporaryLanguage = ReadTemporaryLanguage();
    files.installKeyOpens = static_cast<bool>(RegistryKey::OpenForReading(kGameKeyPath));
    if (files.installKeyOpens) {
        if (const std::optional<std::string> path = SettingsPath()) {
            files.settings = ReadSettingsBytes(*path, kSharedRead);
        }
    }

    const LauncherLoadOutcome outcome = LauncherLoad(files, CurrentLanguage(), record);
    SetCurrentLanguage(outcome.language);
    if (outcome.deleteTemporaryLanguageFile)
        DeleteFileA(TemporaryLanguagePath().c_str());
    if (outcome.reportOutOfDate) {
        ShowMessage(owner, Localise(texts::messages::kSettingsOutOfDate),
                    Localise(texts::messages::kErrorCaption), MB_OK | MB_ICONERROR);
    }
}

void StoreLauncherLanguage(HWND owner, SettingsFile& record) {
    const InstallFolder folder = ReadInstallFolder();
    bool stored = false;
    if (folder.Found()) {
        record.language = CurrentLanguage();
        stored = WriteSettings(folder.path + "\\tavrin.dat", record, kSharedWrite);
    } else {
        const std::vector<std::uint8_t> language = {static_cast<std::uint8_t>(CurrentLanguage())};
        stored = ReplaceFileContents(TemporaryLanguagePath(), language, kSharedWrite);
    }
    if (!stored)
        ReportCreateError(owner);
}
