#pragma once
// Where the settings file lives and how it is read and written. Each reader and writer opens the
// file with its own access and share mode; several processes of the tool (the launcher and the
// setup dialog it started) share the file through these modes alone: an open that collides with
// another process's open fails, and nothing waits or retries.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/settings_file.h"
#include "settings/win/file_replacement.h"

// The graphics and audio dialogs and every repaint reader: others may read meanwhile.
inline constexpr FileAccess kSharedReadWrite = {GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ};
// The control dialog and the launcher's Play: nobody else may open the file meanwhile.
inline constexpr FileAccess kExclusiveReadWrite = {GENERIC_READ | GENERIC_WRITE, 0};
// The launcher's reader.
inline constexpr FileAccess kSharedRead = {GENERIC_READ, FILE_SHARE_READ};
// The launcher's language change.
inline constexpr FileAccess kSharedWrite = {GENERIC_WRITE, FILE_SHARE_READ};

// The settings file in `folder`, a path without a trailing backslash.
std::string SettingsPathIn(const std::string& folder);

// The settings file in the install folder; nothing while the folder cannot be read.
std::optional<std::string> SettingsPath();

// A file named like the settings file in the user's temporary folder: the one-byte language file of
// the launcher. Nothing when the system names no temporary folder or one too long for a path: the
// launcher then has no temporary language file at all, rather than one in whatever folder is
// current, which may be the install folder with the settings file itself.
std::optional<std::string> TemporaryLanguagePath();

// Whether two paths name the same file: compared as full paths in their long form, without regard
// to case, as the file system compares names.
bool NameTheSameFile(const std::string& first, const std::string& second);

// Up to 172 bytes of the file (bytes past 172 are not read); nothing when it does not open,
// because it is missing or another process holds it in a way `access` cannot share.
std::optional<std::vector<std::uint8_t>> ReadSettingsBytes(const std::string& path,
                                                           FileAccess access);

// Sets the version to 2.1 and replaces the file with the whole record.
bool WriteSettings(const std::string& path, SettingsFile& record, FileAccess access);
