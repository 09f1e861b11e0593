#pragma once
// Where Wine and the Windows build are: WINE, WINEPREFIX and DISPLAY come from the environment
// (scripts/lib/wine-env.sh exports them), the win64 build folder from CMake.

#include <filesystem>
#include <optional>
#include <string>

namespace e2e {

class WineEnvironment {
  public:
    // The environment of this process, or nullopt with `problem` saying what is missing.
    static std::optional<WineEnvironment> FromProcessEnvironment(std::string* problem);

    const std::string& Wine() const { return wine_; }
    const std::string& Prefix() const { return prefix_; }
    const std::string& Display() const { return display_; }

    // The win64 build whose programs the tests run.
    static std::filesystem::path WindowsBuildFolder();
    static std::filesystem::path DriverProgram();
    static std::filesystem::path DriverTargetProgram();

  private:
    std::string wine_;
    std::string prefix_;
    std::string display_;
};

// The name a Windows program under Wine uses for a Linux path: Wine maps drive Z: to "/".
std::string WindowsPath(const std::filesystem::path& linuxPath);

}  // namespace e2e
