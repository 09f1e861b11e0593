#include "settings/win/install_folder_win.h"

#include "base/win/registry_key.h"

InstallFolder ReadInstallFolder() {
    const RegistryKey key = RegistryKey::OpenForReading(kGameKeyPath);
    if (!key)
        return {InstallFolderState::KeyMissing, {}};
    const std::optional<std::string> text =
        ReadRegistryText(key, kLocationValue, kInstallFolderCapacity);
    if (!text)
        return {InstallFolderState::ValueMissing, {}};
    return {InstallFolderState::Found, WithoutTrailingBackslash(*text)};
}
