#pragma once
// Reads the audio setup's test sound, a RIFF WAVE file, into its format record and its sample
// bytes. The Windows side copies the format into a WAVEFORMATEX and the samples into a
// DirectSound buffer.
//
// The walk over the chunks follows the file in order: a "data" chunk before "fmt " is taken as
// well as one after it, and when either chunk appears more than once the last one wins. Chunks
// with an odd size are followed by a pad byte, which is skipped with them.
//
// The file can be replaced by the player, so nothing it says is trusted further than the file
// reaches:
//  - the walk ends where the file ends, even when the RIFF size or a chunk size promises more;
//    what was read before stays (a RIFF size that is too large is a common writer's fault);
//  - a "data" chunk that claims more bytes than remain gives the bytes that are there, so a cut
//    short file plays the part it holds, and nothing larger than the file is ever allocated;
//  - a format record that cannot be read whole, or a short one whose sample rate or channel
//    count is 0 (the bits per sample are derived by dividing by both), refuses the file;
//  - a "data" chunk that holds more bytes than the caller can take (a DirectSound buffer holds at
//    most DSBSIZE_MAX) refuses the file before any of them is read.

#include <array>
#include <cstddef>
#include <cstdint>
#include <variant>
#include <vector>

#include "base/byte_source.h"

// The 18-byte format record as it is stored in the file and in memory (WAVEFORMATEX):
// wFormatTag, nChannels, nSamplesPerSec, nAvgBytesPerSec, nBlockAlign, wBitsPerSample, cbSize.
struct WaveFormat {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSecond = 0;
    std::uint32_t averageBytesPerSecond = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint16_t extraSize = 0;  // cbSize
};

inline constexpr std::size_t kWaveFormatSize = 18;

// The record's 18 bytes, little-endian, in WAVEFORMATEX order.
std::array<std::uint8_t, kWaveFormatSize> WaveFormatBytes(const WaveFormat& format);

// The format the test sound is played with: a record that names 0 channels is played as mono.
// The parse itself keeps the 0, as the file says it.
WaveFormat WithAtLeastOneChannel(WaveFormat format);

struct WaveSound {
    WaveFormat format;                  // the last "fmt " chunk's; all zero when none was read
    bool formatRead = false;            // a "fmt " chunk was read
    bool dataRead = false;              // a "data" chunk was read, possibly an empty one
    std::vector<std::uint8_t> samples;  // the last "data" chunk's bytes that the file holds
    bool endedEarly = false;            // the file ended before its RIFF size or a chunk size said
};

// True when the sound can be handed to DirectSound: a format was read and the last "data"
// chunk holds at least one byte. An empty "data" chunk gives no sample block.
bool IsPlayable(const WaveSound& sound);

enum class WaveProblem {
    CannotOpen,      // the file could not be opened
    NotRiff,         // the file does not begin with "RIFF" (an empty file included)
    Truncated,       // the file ends inside the 12-byte header or inside the format record
    NotWave,         // the RIFF form type is not "WAVE"
    FormatTooShort,  // a "fmt " chunk of fewer than 14 bytes cannot hold the fields it must have
    ZeroSampleRate,  // a "fmt " chunk of 16 bytes or fewer gives 0 samples per second
    ZeroChannels,    // a "fmt " chunk of 16 bytes or fewer gives 0 channels
    TooLarge,        // a "data" chunk holds more bytes than the caller takes
};

// What went wrong and where: the byte offset of the header, chunk or field at fault.
struct WaveError {
    WaveProblem problem;
    std::uint64_t offset;
};

using WaveResult = std::variant<WaveSound, WaveError>;

// No limit on the sample bytes but the 4 GB a chunk size can say.
inline constexpr std::uint32_t kAnySampleCount = 0xFFFFFFFF;

// Parses the file at `path`, opened with the C library in mode "rb", taking at most
// `largestSamples` sample bytes from a "data" chunk.
WaveResult ParseWave(const char* path, std::uint32_t largestSamples = kAnySampleCount);

// Parses from any byte source, starting at its current position (offsets count from there).
WaveResult ParseWaveFrom(ByteSource& source, std::uint32_t largestSamples = kAnySampleCount);
