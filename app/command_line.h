#pragma once
// What the setup tool's command line asks for: a mode word and a language number run one of the
// three setup dialogs; fewer arguments start the launcher; anything else ends the process.

#include <optional>
#include <string>

#include "settings/install_folder.h"

enum class SetupMode { Sound, Graphics, Control };

struct StartRequest {
    enum class Kind { RunSetupDialog, StartLauncher, Nothing } kind = Kind::Nothing;
    SetupMode mode = SetupMode::Sound;  // for RunSetupDialog
    // The language the process takes on, whenever a number was given (even with an unknown
    // mode word, when it no longer matters).
    std::optional<int> language;
};

// Reads the program's arguments (argv[0] is the program name). The mode words are compared
// exactly, case and all, in the order "sound", "graphics", "control".
StartRequest ParseCommandLine(int argc, const char* const* argv);

// The C library's decimal conversion (atoi): leading blanks and one sign accepted, conversion
// stops at the first non-digit, no digits give 0. Unlike atoi, a number too large for an int
// saturates instead of being undefined.
int ParseDecimal(const char* text);

// The language a command line number names: 0 to 4 as they are; any other number is English, so
// that no text table is ever read outside its five entries.
int LanguageFromNumber(int number);

// "Config files\abg.sar", "Config files\vbg.sar" or "Config files\cbg.sar" in the install folder,
// or relative to the current folder when the folder is empty.
std::string SkinPicturePath(const std::string& installFolder, SetupMode mode);

// The launcher program to start without a mode: from the install folder, from the current folder
// when the registry key is missing, and none when the key exists without a readable "Location".
std::optional<std::string> LauncherProgramPath(const InstallFolder& folder);
