#pragma once
// What the settings tool needs from the system it runs on. Everything else of the tool is
// portable; these are implemented once for Windows (win/platform_win.cpp) and once for POSIX
// systems (posix/platform_posix.cpp).
//
// Paths are the system's own narrow strings, as the command line brings them (the ANSI code page
// on Windows, normally UTF-8 elsewhere); the tool's texts are UTF-8.

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "controls/input_code.h"
#include "settings/settings_file.h"

// A command-line argument or path in UTF-8, for matching names and for printing.
std::string Utf8FromNative(std::string_view text);

// Writes UTF-8 text to standard output or standard error, so that a console shows every
// character and a pipe or file receives UTF-8.
void WriteText(std::FILE* stream, std::string_view utf8);

// "tavrin.dat" in the game's install folder, as the registry names it; nothing where there is no
// registry, or it names no folder.
std::optional<std::string> InstallFolderSettingsPath();

// The character each key without a name of its own types, and how --help describes its source.
KeyCharacter KeyboardLayout();
const char* KeyboardLayoutDescription();

// Replaces the file at `path` with `bytes` the safe way: the new contents are written and flushed
// beside it and then moved over it, so a failure part-way leaves the old file as it was. False
// with a reason in `why` when it could not.
bool ReplaceSettingsFile(const std::string& path, const SettingsBytes& bytes, std::string& why);
