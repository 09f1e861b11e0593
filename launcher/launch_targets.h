#pragma once
// What each of the launcher's buttons starts through the shell: the file or web address, its
// parameters, and where it is looked for when the game is not installed.

#include <optional>
#include <string>

#include "settings/install_folder.h"

enum class LauncherButton {
    ReadMe,
    Register,
    GameSite,
    PublisherSite,
    DeveloperSite,
    Video,
    Audio,
    Controls,
    Play,
};

struct LaunchTarget {
    std::string file;
    std::string parameters;  // empty for none
    // Read Me and Register open a document by its type: a missing association is explained.
    bool opensByFileType = false;
};

// The target of `button` with the install folder as the registry gives it: from the folder when
// it is known, from a fixed relative name when the registry key is missing, and nothing when the
// key holds no readable "Location" (the launcher then says the file cannot be found). The setup
// buttons pass `language` on to the setup tool.
std::optional<LaunchTarget> TargetOf(LauncherButton button, const InstallFolder& folder,
                                     int language);

// The three web addresses. The game's sites do not exist yet: the reserved ".example" domain
// stands in for them.
inline constexpr const char* kGameSite = "https://tavrin.example/";
inline constexpr const char* kPublisherSite = "https://galdoris.example/";
inline constexpr const char* kDeveloperSite = "https://morvek-games.example/";
