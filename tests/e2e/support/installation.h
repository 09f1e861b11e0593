#pragma once
// A demo installation of the game for one test: a copy of the win64 build's demo folder in a
// temporary folder, named by the game's registry key. The test changes files and registry values
// freely; when it ends the folder goes and the key is removed.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "e2e/support/driver.h"
#include "e2e/support/files.h"

namespace e2e {

inline constexpr const char* kGameKey = "Software\\Galdoris Interactive\\Tavrin Demo\\1.00";

class Installation {
  public:
    // Copies the demo folder and writes "Location" naming it; throws when it cannot.
    explicit Installation(Driver& driver);
    ~Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    const std::filesystem::path& Folder() const { return folder_; }
    std::filesystem::path File(const std::string& name) const { return folder_ / name; }
    std::filesystem::path ConfigFile(const std::string& name) const {
        return folder_ / "Config files" / name;
    }
    std::filesystem::path SettingsPath() const { return File("tavrin.dat"); }

    // The registry as the installer leaves it, or not.
    bool SetLocation(const std::string& windowsText);
    bool SetLocationToFolder() { return SetLocation(WindowsPath(folder_)); }
    bool RemoveLocation();
    bool RemoveKey();

    std::optional<std::vector<std::uint8_t>> Settings() const;
    bool WriteSettings(const std::vector<std::uint8_t>& bytes) const;

  private:
    Driver& driver_;
    TemporaryFolder temporary_;
    std::filesystem::path folder_;
};

// The temporary folder of the Wine user, where the launcher keeps its one-byte language file.
std::filesystem::path WineTemporaryFolder(const std::string& prefix);

}  // namespace e2e
