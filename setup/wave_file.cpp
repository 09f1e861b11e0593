#include "setup/wave_file.h"

#include <algorithm>
#include <cstring>

#include "base/byte_reader.h"

namespace {

// Offsets inside the format record.
constexpr std::uint64_t kChannelsOffset = 2;
constexpr std::uint64_t kSampleRateOffset = 4;
// A record of 16 bytes or fewer is read up to the byte rate and block alignment; the bits per
// sample are then derived. A longer one is read whole, cbSize included.
constexpr std::size_t kShortFormatRead = 14;

// Sample bytes are read in steps, so that the buffer grows with what actually arrives even where
// a source cannot tell how much it still holds.
constexpr std::size_t kSampleStep = 1 << 20;

bool SameId(const std::uint8_t* bytes, const char (&id)[5]) {
    return std::memcmp(bytes, id, 4) == 0;
}

// The size that follows a four-character id, in the RIFF header and in every chunk header.
std::uint32_t SizeAfterId(const std::uint8_t* idAndSize) {
    ByteReader reader(idAndSize + 4, 4);
    return reader.U32();
}

// Reads as much of the walk as the file allows; the position counts from the start of the file.
class ChunkWalk {
  public:
    explicit ChunkWalk(ByteSource& source) : source_(source) {}

    std::size_t ReadSome(void* into, std::size_t size) {
        const std::size_t got = source_.Read(into, size);
        position_ += got;
        return got;
    }

    bool Read(void* into, std::size_t size) { return ReadSome(into, size) == size; }

    // Moves to `target`, which never lies behind the current position.
    bool SkipTo(std::uint64_t target) {
        if (target <= position_)
            return true;
        const std::uint64_t count = target - position_;
        if (!source_.Skip(count))
            return false;
        position_ = target;
        return true;
    }

    std::uint64_t Position() const { return position_; }
    std::uint64_t Remaining() const { return source_.Remaining(); }

  private:
    ByteSource& source_;
    std::uint64_t position_ = 0;
};

// Reads a "fmt " chunk whose data begins at the walk's position.
std::variant<WaveFormat, WaveError> ReadFormat(ChunkWalk& walk, std::uint64_t chunkStart,
                                               std::uint32_t chunkSize) {
    const std::uint64_t dataStart = chunkStart + 8;
    if (chunkSize < kShortFormatRead)
        return WaveError{WaveProblem::FormatTooShort, chunkStart};
    const bool full = chunkSize > 16;
    // A chunk longer than 16 bytes is read as the whole 18-byte record; one of 17 bytes gives its
    // pad byte as the high byte of cbSize.
    std::uint8_t bytes[kWaveFormatSize] = {};
    if (!walk.Read(bytes, full ? kWaveFormatSize : kShortFormatRead)) {
        return WaveError{WaveProblem::Truncated, chunkStart};
    }

    ByteReader reader(bytes, sizeof bytes);
    WaveFormat format;
    format.formatTag = reader.U16();
    format.channels = reader.U16();
    format.samplesPerSecond = reader.U32();
    format.averageBytesPerSecond = reader.U32();
    format.blockAlign = reader.U16();
    format.bitsPerSample = reader.U16();
    format.extraSize = reader.U16();
    if (full)
        return format;

    // A short record is trusted only up to the block alignment: the bits per sample follow from
    // the byte rate, divided in whole numbers by the rate and then by the channels (a stereo file
    // moving four bytes per sample frame gets 16). A rate or channel count of 0 leaves nothing to
    // divide by, and such a file could not be played anyway.
    if (format.samplesPerSecond == 0) {
        return WaveError{WaveProblem::ZeroSampleRate, dataStart + kSampleRateOffset};
    }
    if (format.channels == 0) {
        return WaveError{WaveProblem::ZeroChannels, dataStart + kChannelsOffset};
    }
    const std::uint32_t bits =
        format.averageBytesPerSecond / format.samplesPerSecond / format.channels * 8;
    format.bitsPerSample = static_cast<std::uint16_t>(bits);
    format.extraSize = 0;
    return format;
}

// Reads up to `chunkSize` sample bytes; returns false when the file ended first, keeping the
// bytes that were there. The buffer never grows past what the source says it still holds, nor,
// where it cannot say, by more than one step beyond what actually arrived.
bool ReadSamples(ChunkWalk& walk, std::uint32_t chunkSize, std::vector<std::uint8_t>& samples) {
    samples.clear();
    std::uint64_t left = chunkSize;
    while (left > 0) {
        const auto step = static_cast<std::size_t>(
            std::min<std::uint64_t>({left, walk.Remaining(), std::uint64_t{kSampleStep}}));
        if (step == 0)
            return false;
        const std::size_t before = samples.size();
        samples.resize(before + step);
        const std::size_t got = walk.ReadSome(samples.data() + before, step);
        samples.resize(before + got);
        if (got < step)
            return false;
        left -= step;
    }
    return true;
}

}  // namespace

std::array<std::uint8_t, kWaveFormatSize> WaveFormatBytes(const WaveFormat& format) {
    std::array<std::uint8_t, kWaveFormatSize> bytes{};
    ByteWriter writer(bytes.data(), bytes.size());
    writer.U16(format.formatTag);
    writer.U16(format.channels);
    writer.U32(format.samplesPerSecond);
    writer.U32(format.averageBytesPerSecond);
    writer.U16(format.blockAlign);
    writer.U16(format.bitsPerSample);
    writer.U16(format.extraSize);
    return bytes;
}

WaveFormat WithAtLeastOneChannel(WaveFormat format) {
    if (format.channels == 0)
        format.channels = 1;
    return format;
}

bool IsPlayable(const WaveSound& sound) {
    return sound.formatRead && !sound.samples.empty();
}

WaveResult ParseWaveFrom(ByteSource& source, std::uint32_t largestSamples) {
    ChunkWalk walk(source);
    std::uint8_t header[12];
    const std::size_t got = walk.ReadSome(header, sizeof header);
    if (got < 4 || !SameId(header, "RIFF"))
        return WaveError{WaveProblem::NotRiff, 0};
    if (got < sizeof header)
        return WaveError{WaveProblem::Truncated, 0};
    if (!SameId(header + 8, "WAVE"))
        return WaveError{WaveProblem::NotWave, 8};
    const std::uint32_t riffSize = SizeAfterId(header);

    // The RIFF size counts from the form type at offset 8. Every pass moves at least 8 bytes on
    // and the walk stops where the file ends, so it ends whatever the sizes say.
    WaveSound sound;
    while (walk.Position() - 8 < riffSize) {
        const std::uint64_t chunkStart = walk.Position();
        std::uint8_t chunkHeader[8];
        if (!walk.Read(chunkHeader, sizeof chunkHeader)) {
            // The end of the file, or a few stray bytes before it: the chunks read so far stand.
            sound.endedEarly = true;
            break;
        }
        const std::uint32_t size = SizeAfterId(chunkHeader);
        if (SameId(chunkHeader, "fmt ")) {
            const auto format = ReadFormat(walk, chunkStart, size);
            if (const auto* error = std::get_if<WaveError>(&format))
                return *error;
            sound.format = *std::get_if<WaveFormat>(&format);
            sound.formatRead = true;
        } else if (SameId(chunkHeader, "data")) {
            // What the chunk holds as far as the file reaches, known before anything is read.
            if (std::min<std::uint64_t>(size, walk.Remaining()) > largestSamples)
                return WaveError{WaveProblem::TooLarge, chunkStart};
            sound.dataRead = true;
            if (!ReadSamples(walk, size, sound.samples)) {
                sound.endedEarly = true;
                break;
            }
        }
        // 64 bits hold the position plus any chunk size, so the next chunk's offset cannot wrap.
        const std::uint64_t next = chunkStart + 8 + size + (size & 1);
        if (!walk.SkipTo(next)) {
            sound.endedEarly = true;
            break;
        }
    }
    return sound;
}

WaveResult ParseWave(const char* path, std::uint32_t largestSamples) {
    FileByteSource file(path);
    if (!file.IsOpen())
        return WaveError{WaveProblem::CannotOpen, 0};
    return ParseWaveFrom(file, largestSamples);
}
