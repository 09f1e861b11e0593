#pragma once
// Builds RIFF WAVE files byte by byte for the tests. A file is the 12-byte RIFF header followed by
// chunks; each chunk is a 4-character id, a little-endian 32-bit size and that many bytes, plus a
// pad byte when the size is odd. The helpers write exactly what they are given, so that a test
// can also write sizes that lie.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "setup/wave_file.h"

using WaveBytes = std::vector<std::uint8_t>;

// A chunk whose size field is the body's size, with a pad byte (0) after an odd-sized body.
WaveBytes Chunk(const char* id, const WaveBytes& body);

// A chunk header alone: the id and a size that may claim any number of bytes.
WaveBytes ChunkHeader(const char* id, std::uint32_t size);

// The first `size` bytes (at most 18) of a format record, fields in WAVEFORMATEX order:
// format tag, channels, samples per second, average bytes per second, block alignment, bits
// per sample, cbSize. A classic PCM "fmt " chunk has 16 bytes, one with cbSize 18.
WaveBytes FormatBody(const WaveFormat& format, std::size_t size = 16);

// A PCM format (tag 1) whose block alignment and byte rate follow from the other three.
WaveFormat Pcm(std::uint16_t channels, std::uint32_t samplesPerSecond, std::uint16_t bitsPerSample);

// "RIFF", the RIFF size, the form type and the chunks. The RIFF size counts the form type and
// every chunk byte, unless a test gives its own.
WaveBytes WaveFile(const std::vector<WaveBytes>& chunks);
WaveBytes RiffFile(const std::vector<WaveBytes>& chunks, std::uint32_t riffSize,
                   const char* formType = "WAVE");

// `count` recognisable sample bytes: seed, seed + 1, seed + 2, ...
WaveBytes SampleBytes(std::size_t count, std::uint8_t seed = 1);

// `bytes` followed by `more`.
WaveBytes Joined(WaveBytes bytes, const WaveBytes& more);
