#include "settings/win/settings_store.h"

#include "app/win/install_folder_win.h"
#include "app/win/unique_handle.h"

namespace {

constexpr const char* kSettingsFileName = "\\tavrin.dat";

UniqueHandle OpenExisting(const std::string& path, FileAccess access) {
    return UniqueHandle(CreateFileA(path.c_str(), access.access, access.share, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

std::optional<std::string> SettingsPath() {
    const InstallFolder folder = ReadInstallFolder();
    if (!folder.Found())
        return std::nullopt;
    return folder.path + kSettingsFileName;
}

std::string TemporaryLanguagePath() {
    char folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder)
        return kSettingsFileName + 1;  // the current folder
    return WithoutTrailingBackslash(folder) + kSettingsFileName;
}

std::optional<std::vector<std::uint8_t>> ReadSettingsBytes(const std::string& path,
                                                           FileAccess access) {
    const UniqueHandle file = OpenExisting(path, access);
    if (!file)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(kSettingsFileSize);
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        read = 0;
    }
    bytes.resize(read);
    return bytes;
}

bool WriteSettings(const std::string& path, SettingsFile& record, FileAccess access) {
    record.version = kSettingsVersion;
    const SettingsBytes bytes = EncodeSettings(record);
    return ReplaceFileContents(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()), access);
}
