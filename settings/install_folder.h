#pragma once
// The game's install folder, as the registry value "Location" names it.

#include <cstddef>
#include <string>

inline constexpr const char* kGameKeyPath = "Software\\Galdoris Interactive\\Tavrin Demo\\1.00";
inline constexpr const char* kLocationValue = "Location";
// The value is read into 80 bytes: at most 79 characters and the terminator.
inline constexpr std::size_t kInstallFolderCapacity = 80;

enum class InstallFolderState { KeyMissing, ValueMissing, Found };

struct InstallFolder {
    InstallFolderState state = InstallFolderState::KeyMissing;
    std::string path;  // one trailing backslash removed; empty unless Found

    bool Found() const { return state == InstallFolderState::Found; }
};

// `text` without one trailing backslash, if it has one.
std::string WithoutTrailingBackslash(std::string text);
