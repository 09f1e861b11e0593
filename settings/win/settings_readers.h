#pragma once
// The setup dialogs' reading and writing of the settings file, with the messages the player sees.

#include <windows.h>

#include "settings/settings_file.h"
#include "settings/win/settings_store.h"

enum class SettingsReadOutcome { Missing, Valid, OutOfDate };

// Reads the file into the process record. A file of another version is reported with the
// out-of-date message; its bytes stay in the record, so that the dialog's own fields can still be
// taken from it where the dialog does so. A missing file leaves the record as it was.
SettingsReadOutcome ReadSettingsForDialog(HWND owner, SettingsFile& record, FileAccess access);

// Reads the language of the file on disk into the current language when the file passes the
// version test; otherwise the current language stays. Painting runs this, so it reports nothing.
void TakeLanguageFromSettingsFile();

// Writes the whole record (version 2.1). A file that cannot be written is reported with the
// create error (OK and Cancel; the answer does not matter) and keeps its bytes.
bool WriteSettingsOrReport(HWND owner, SettingsFile& record, FileAccess access);
