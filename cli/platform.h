#pragma once
// What the settings tool needs from the system it runs on. Everything else of the tool is
// portable; these are implemented once for Windows (win/platform_win.cpp) and once for POSIX
// systems (posix/platform_posix.cpp).
//
// Paths are UTF-8 on Windows, where the command line is UTF-16, and the system's own bytes
// elsewhere (normally UTF-8 as well); the tool's texts are UTF-8.

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/settings_source.h"
#include "controls/input_code.h"
#include "settings/settings_file.h"
#include "settings/write_outcome.h"

// The command line's arguments after the program name: on Windows taken from its UTF-16 command
// line, so that a key name of any layout arrives whatever the ANSI code page; elsewhere as the
// system passed them.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Writes UTF-8 text to standard output or standard error, so that a console shows every
// character and a pipe or file receives UTF-8.
void WriteText(std::FILE* stream, std::string_view utf8);

// "tavrin.dat" in the game's install folder, as the registry names it; nothing where there is no
// registry, or it names no folder.
std::optional<std::string> InstallFolderSettingsPath();

// The character each key without a name of its own types, and how --help describes its source.
KeyCharacter KeyboardLayout();
const char* KeyboardLayoutDescription();

// Reads the first 172 bytes of the file and its size. A file that is there but cannot be opened
// or read (held by the game without sharing, denied) is Unreadable, never Missing.
SettingsFileRead ReadSettingsFile(const std::string& path);

// Replaces the file at `path` with `bytes` the safe way: the new contents are written and flushed
// beside it and then moved over it, so a failure part-way leaves the old file as it was. On
// Windows a file that cannot be replaced so (a link, a folder where no file may be created) is
// written in place, as the setup dialogs write it, and a failure part-way may then leave part of
// the new bytes. Anything but Written comes with a reason in `why`.
WriteOutcome ReplaceSettingsFile(const std::string& path, const SettingsBytes& bytes,
                                 std::string& why);
