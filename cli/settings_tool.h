#pragma once
// tavrin-settings: shows, checks and changes the settings file that the setup dialogs and the
// game share. Everything it does is here, apart from what the system provides (platform.h), so
// that the tests run it as a function.

#include <string>
#include <vector>

// Exit codes, as --help lists them.
enum ExitCode : int {
    kExitDone = 0,
    kExitProblemsFound = 1,  // check only
    kExitRefused = 2,        // the command line, a field or a value; nothing was written
    kExitNotRead = 3,        // the file is missing or unreadable, or not one set can change
    kExitNotWritten = 4,     // the file could not be replaced; it is as it was
};

// Runs the tool on `arguments` (without the program name, as the system passed them). What it
// prints goes to `out` and `err`, in UTF-8.
int RunSettingsTool(const std::vector<std::string>& arguments, std::string& out, std::string& err);

// The text of --help.
std::string HelpText();
