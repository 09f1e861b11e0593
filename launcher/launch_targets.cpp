#include "launcher/launch_targets.h"

namespace {

struct FileTarget {
    const char* fileInFolder;   // appended to the install folder
    const char* withoutFolder;  // used when the registry key is missing; nullptr: none
    const char* parameters;
    bool opensByFileType;
};

FileTarget FileTargetOf(LauncherButton button) {
    switch (button) {
        case LauncherButton::ReadMe:
            return {"\\Readme.html", "Readme.html", "", true};
        case LauncherButton::Register:
            return {"\\GAL1.exe", "\\GAL1.exe",
                    "/PRNM=\"Tavrin Demo\" /SKUN=\"41527\" /GTYP=\"ARCD\"", true};
        case LauncherButton::Video:
            return {"\\Config.exe", "config.exe", "graphics %d", false};
        case LauncherButton::Audio:
            return {"\\Config.exe", "config.exe", "sound %d", false};
        case LauncherButton::Controls:
            return {"\\Config.exe", "config.exe", "control %d", false};
        default:  // Play: the game exists only in an installation
            return {"\\tavrin.exe", nullptr, "", false};
    }
}

std::string WithLanguage(const char* parameters, int language) {
    std::string text = parameters;
    const std::size_t at = text.find("%d");
    if (at != std::string::npos)
        text.replace(at, 2, std::to_string(language));
    return text;
}

}  // namespace

std::optional<LaunchTarget> TargetOf(LauncherButton button, const InstallFolder& folder,
                                     int language) {
    switch (button) {
        case LauncherButton::GameSite:
            return LaunchTarget{kGameSite, "", false};
        case LauncherButton::PublisherSite:
            return LaunchTarget{kPublisherSite, "", false};
        case LauncherButton::DeveloperSite:
            return LaunchTarget{kDeveloperSite, "", false};
        default:
            break;
    }
    const FileTarget target = FileTargetOf(button);
    const std::string parameters = WithLanguage(target.parameters, language);
    switch (folder.state) {
        case InstallFolderState::Found:
            return LaunchTarget{folder.path + target.fileInFolder, parameters,
                                target.opensByFileType};
        case InstallFolderState::KeyMissing:
            if (target.withoutFolder == nullptr)
                return std::nullopt;
            return LaunchTarget{target.withoutFolder, parameters, target.opensByFileType};
        case InstallFolderState::ValueMissing:
            break;
    }
    return std::nullopt;
}
