#pragma once
// Settings files for the tests, built from bytes so that a test states exactly what is on disk.

#include <cstdint>
#include <vector>

#include "settings/settings_file.h"

// 172 bytes whose every byte differs from its neighbours (byte i is (i * 7 + 3) mod 256), with
// the version set to 2.1 and the language to `language`: a file in which any field a writer
// wrongly touches shows up.
std::vector<std::uint8_t> DistinctSettingsBytes(std::int32_t language = 0);

// Writes or reads a little-endian 32-bit value at `offset`, through the project's byte codec: an
// offset too close to the end writes nothing and reads 0.
void PutLittleEndian32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value);
std::uint32_t GetLittleEndian32(const std::vector<std::uint8_t>& bytes, std::size_t offset);
