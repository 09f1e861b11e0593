#pragma once
// The launcher's reading of the stored language and settings, as a decision over what was found
// on disk, so that the order of precedence can be tested without files: the temporary language
// file first, then a valid settings file, which also makes the temporary file obsolete.

#include <cstdint>
#include <optional>
#include <vector>

#include "settings/settings_file.h"

// What the launcher's reader found.
struct LauncherFiles {
    // The first byte of the temporary language file, when that file opened and held one.
    std::optional<std::uint8_t> temporaryLanguage;
    // Whether the game's registry key opened: without it no settings file is looked for.
    bool installKeyOpens = false;
    // The bytes read from "tavrin.dat" (at most 172), when it opened.
    std::optional<std::vector<std::uint8_t>> settings;
};

struct LauncherLoadOutcome {
    int language = 0;  // the current language afterwards
    bool deleteTemporaryLanguageFile = false;
    bool reportOutOfDate = false;
};

// Updates `record` as the launcher load does: a valid file replaces it (over its previous
// content, for a short file); a missing or outdated one leaves the zeroed record with the binding
// defaults; without the registry key the record stays as it was.
LauncherLoadOutcome LauncherLoad(const LauncherFiles& files, int currentLanguage,
                                 SettingsFile& record);

// The language a stored value names, or nothing for a value outside 0 to 4.
std::optional<int> StoredLanguage(std::int32_t value);

// The language the repaint of a setup dialog takes from a fresh read of the file: the file's
// language when it passes the version test and names a language, else nothing (the current
// language stays). An outdated file is not reported here: a message raised while painting would
// be raised again by the repaint that closing it causes.
std::optional<int> RepaintLanguage(const std::vector<std::uint8_t>& bytes);
