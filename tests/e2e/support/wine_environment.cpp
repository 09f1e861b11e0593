#include "e2e/support/wine_environment.h"

#include <algorithm>
#include <cstdlib>

namespace e2e {

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

std::optional<WineEnvironment> WineEnvironment::FromProcessEnvironment(std::string* problem) {
    const std::string howTo =
        " (source scripts/lib/wine-env.sh and run wine_env_start <folder> before ctest -L e2e)";
    WineEnvironment environment;
    environment.wine_ = Variable("WINE");
    if (environment.wine_.empty())
        environment.wine_ = "/usr/lib/wine/wine64";
    environment.prefix_ = Variable("WINEPREFIX");
    environment.display_ = Variable("DISPLAY");

    if (!std::filesystem::exists(environment.wine_)) {
        *problem = "no Wine at " + environment.wine_ + "; set WINE" + howTo;
    } else if (environment.prefix_.empty() || !std::filesystem::is_directory(environment.prefix_)) {
        *problem = "WINEPREFIX names no folder" + howTo;
    } else if (environment.display_.empty()) {
        *problem = "DISPLAY is not set" + howTo;
    } else if (!std::filesystem::exists(DriverProgram())) {
        *problem = "no driver at " + DriverProgram().string() + "; build the win64 preset first";
    } else {
        return environment;
    }
    return std::nullopt;
}

std::filesystem::path WineEnvironment::WindowsBuildFolder() {
    return TAVRIN_WINDOWS_BUILD_DIR;
}

std::filesystem::path WineEnvironment::DriverProgram() {
    return WindowsBuildFolder() / "tools" / "driver" / "driver.exe";
}

std::filesystem::path WineEnvironment::DriverTargetProgram() {
    return WindowsBuildFolder() / "tools" / "driver" / "driver_target.exe";
}

std::string WindowsPath(const std::filesystem::path& linuxPath) {
    std::string path = "Z:" + std::filesystem::absolute(linuxPath).lexically_normal().string();
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

}  // namespace e2e
