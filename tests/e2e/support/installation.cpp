#include "e2e/support/installation.h"

#include <stdexcept>

namespace e2e {

Installation::Installation(Driver& driver)
    : driver_(driver), folder_(temporary_.Path() / "Tavrin Demo") {
    if (!CopyFolder(WineEnvironment::WindowsBuildFolder() / "demo", folder_)) {
        throw std::runtime_error("cannot copy the demo installation to " + folder_.string());
    }
    // A run of the demo leaves its settings in the build's folder: every test starts without.
    RemoveFile(SettingsPath());
    if (!SetLocationToFolder()) {
        throw std::runtime_error("cannot write the install folder: " + driver_.LastError());
    }
}

Installation::~Installation() {
    // A destructor must not throw: a driver that no longer answers leaves the key behind, and the
    // test has failed already.
    try {
        RemoveKey();
    } catch (const std::exception&) {
    }
}

bool Installation::SetLocation(const std::string& windowsText) {
    return driver_.SetRegistryText(RegistryRoot::LocalMachine, kGameKey, "Location", windowsText);
}

bool Installation::RemoveLocation() {
    return driver_.DeleteRegistryValue(RegistryRoot::LocalMachine, kGameKey, "Location");
}

bool Installation::RemoveKey() {
    return driver_.DeleteRegistryKey(RegistryRoot::LocalMachine, kGameKey);
}

std::optional<std::vector<std::uint8_t>> Installation::Settings() const {
    return ReadFileBytes(SettingsPath());
}

bool Installation::WriteSettings(const std::vector<std::uint8_t>& bytes) const {
    return WriteFileBytes(SettingsPath(), bytes);
}

std::filesystem::path WineTemporaryFolder(const std::string& prefix) {
    const std::filesystem::path users = std::filesystem::path(prefix) / "drive_c" / "users";
    std::error_code ignored;
    for (const auto& user : std::filesystem::directory_iterator(users, ignored)) {
        if (user.path().filename() == "Public")
            continue;
        // Where Wine 8 keeps it, then where Windows does.
        for (const std::filesystem::path& temp :
             {user.path() / "Temp", user.path() / "AppData" / "Local" / "Temp"}) {
            if (std::filesystem::is_directory(temp))
                return temp;
        }
    }
    return {};
}

}  // namespace e2e
