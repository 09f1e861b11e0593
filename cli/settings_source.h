#pragma once
// The settings file as the tool reads it: its first 172 bytes, which is all that the dialogs and
// the game read, and its whole size, which tells a damaged file. The system reads it
// (platform.h).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/settings_file.h"

struct SettingsFileRead {
    enum class Outcome { Read, Missing, Unreadable };
    Outcome outcome = Outcome::Missing;
    // At most 172 bytes; fewer for a short file.
    std::vector<std::uint8_t> leadingBytes;
    // The size of the whole file.
    std::uint64_t size = 0;
    // What the system said, for a file that exists but cannot be read.
    std::string why;
};

// The record the dialogs hold after reading `size` bytes: a short file fills only the leading
// fields, the rest stay zero; bytes past 172 are not looked at.
SettingsFile RecordFromBytes(const std::uint8_t* data, std::size_t size);
