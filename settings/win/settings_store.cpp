#include "settings/win/settings_store.h"

#include "base/win/text_conversion.h"
#include "base/win/unique_handle.h"
#include "settings/win/install_folder_win.h"

namespace {

UniqueHandle OpenExisting(const std::string& path, FileAccess access) {
    return UniqueHandle(CreateFileA(path.c_str(), access.access, access.share, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The full path in its long form (short 8.3 names expanded where the file exists), as UTF-16.
std::wstring CanonicalPath(const std::string& path) {
    const DWORD fullLength = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (fullLength == 0)
        return {};
    std::string full(fullLength, '\0');
    full.resize(GetFullPathNameA(path.c_str(), fullLength, full.data(), nullptr));
    const DWORD longLength = GetLongPathNameA(full.c_str(), nullptr, 0);
    if (longLength != 0) {
        std::string longForm(longLength, '\0');
        const DWORD length = GetLongPathNameA(full.c_str(), longForm.data(), longLength);
        if (length != 0 && length < longLength) {
            longForm.resize(length);
            full = longForm;
        }
    }
    return WideFrom(CP_ACP, full);
}

}  // namespace

bool NameTheSameFile(const std::string& first, const std::string& second) {
    const std::wstring a = CanonicalPath(first);
    const std::wstring b = CanonicalPath(second);
    return !a.empty() && CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::string SettingsPathIn(const std::string& folder) {
    return folder + "\\" + kSettingsFileName;
}

std::optional<std::string> SettingsPath() {
    const InstallFolder folder = ReadInstallFolder();
    if (!folder.Found())
        return std::nullopt;
    return SettingsPathIn(folder.path);
}

std::optional<std::string> TemporaryLanguagePath() {
    char folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder)
        return std::nullopt;
    return SettingsPathIn(WithoutTrailingBackslash(folder));
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
    return ReplaceFileContents(WideFrom(CP_ACP, path),
                               std::vector<std::uint8_t>(bytes.begin(), bytes.end()),
                               access) == WriteOutcome::Written;
}
