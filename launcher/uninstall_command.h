#pragma once
// Reading the uninstall command that Windows keeps for the game, to start the uninstaller.

#include <optional>
#include <string>
#include <vector>

inline constexpr std::size_t kGuidCapacity = 45;               // "GUID": at most 44 characters
inline constexpr std::size_t kUninstallCommandCapacity = 300;  // at most 299 characters
inline constexpr std::size_t kQuotedPathCapacity = 125;        // at most 124 characters

// The uninstall entry named by the game's "GUID" value.
std::string UninstallKeyPath(const std::string& guid);

struct ProgramStart {
    std::string program;
    std::string parameters;
    friend bool operator==(const ProgramStart&, const ProgramStart&) = default;
};

// The ways a command may be started, best first. A command that quotes its program starts only
// the quoted program, without the options after it (the installer's own options are not for a
// player's "update"). A command without quotes (such as "MsiExec.exe /X{...}") is split the way
// Windows splits an unquoted command line: at each blank in turn, the program being the first
// part that names an existing file; the caller tries the candidates in this order. Nothing when
// the quoted program is empty or longer than 124 characters.
std::vector<ProgramStart> UninstallerCandidates(const std::string& command);
