#pragma once
// The launcher's use of the stored settings: its reading of the language and the record, and the
// storing of a language change.

#include <windows.h>

#include "settings/settings_file.h"

// The launcher load: the temporary language file's language, then the settings file, which
// replaces the record (or leaves the zeroed record with the binding defaults when it is missing
// or outdated, the latter reported) and retires the temporary file when it is valid.
void RunLauncherLoad(HWND owner, SettingsFile& record);

// Stores the current language: into "tavrin.dat" of the installation, with the rest of the
// launcher's record, or into the one-byte temporary language file while no install folder is
// known. A file that cannot be written is reported.
void StoreLauncherLanguage(HWND owner, SettingsFile& record);
