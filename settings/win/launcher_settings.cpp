#include "settings/win/launcher_settings.h"

#include <utility>

#include "texts/local_text.h"
#include "texts/messages.h"
#include "base/win/registry_key.h"
#include "base/win/startup_log.h"
#include "base/win/text_conversion.h"
#include "base/win/ui_text.h"
#include "base/win/unique_handle.h"
#include "settings/install_folder.h"
#include "settings/launcher_load.h"
#include "settings/win/install_folder_win.h"
#include "settings/win/settings_store.h"

namespace {

// `temporary`, unless it is the settings file itself (a temporary folder that is the install
// folder): the settings file is never read, written or deleted as a language file.
std::optional<std::string> NotTheSettingsFile(std::optional<std::string> temporary) {
    const std::optional<std::string> settings = SettingsPath();
    if (temporary && settings && NameTheSameFile(*temporary, *settings))
        return std::nullopt;
    return temporary;
}

// The temporary language file; none when the system names no usable temporary folder.
std::optional<std::string> TemporaryLanguageFile() {
    return NotTheSettingsFile(TemporaryLanguagePath());
}

// The temporary language file when there is one to read and retire. Most starts find none; the
// comparison with the settings file's name, which walks both paths, is then left out.
std::optional<std::string> ExistingTemporaryLanguageFile() {
    std::optional<std::string> temporary = TemporaryLanguagePath();
    if (temporary && GetFileAttributesA(temporary->c_str()) == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return std::nullopt;
    }
    return NotTheSettingsFile(std::move(temporary));
}

std::optional<std::uint8_t> ReadTemporaryLanguage(const std::optional<std::string>& path) {
    if (!path)
        return std::nullopt;
    const UniqueHandle file(CreateFileA(path->c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
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
    const StartupStep step("settings read");
    const std::optional<std::string> temporary = ExistingTemporaryLanguageFile();
    LauncherFiles files;
    files.temporaryLanguage = ReadTemporaryLanguage(temporary);
    files.installKeyOpens = static_cast<bool>(RegistryKey::OpenForReading(kGameKeyPath));
    if (files.installKeyOpens) {
        if (const std::optional<std::string> path = SettingsPath()) {
            files.settings = ReadSettingsBytes(*path, kSharedRead);
        }
    }

    const LauncherLoadOutcome outcome = LauncherLoad(files, CurrentLanguage(), record);
    SetCurrentLanguage(outcome.language);
    if (outcome.deleteTemporaryLanguageFile && temporary)
        DeleteFileA(temporary->c_str());
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
        stored = WriteSettings(SettingsPathIn(folder.path), record, kSharedWrite);
    } else {
        // Without a temporary folder the choice has nowhere to go: reported like a file that
        // cannot be created.
        const std::vector<std::uint8_t> language = {static_cast<std::uint8_t>(CurrentLanguage())};
        const std::optional<std::string> temporary = TemporaryLanguageFile();
        stored = temporary && ReplaceFileContents(WideFrom(CP_ACP, *temporary), language,
                                                  kSharedWrite) == WriteOutcome::Written;
    }
    if (!stored)
        ReportCreateError(owner);
}
