#include "support/wave_builder.h"

#include <cstring>

namespace {

void PutId(WaveBytes& out, const char* id) {
    // Ids are four characters ("fmt " ends in a space); a shorter one is filled up with spaces.
    const std::size_t length = std::strlen(id);
    for (std::size_t i = 0; i < 4; ++i) {
        out.push_back(i < length ? static_cast<std::uint8_t>(id[i]) : std::uint8_t{' '});
    }
}

void Put16(WaveBytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(WaveBytes& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

}  // namespace

WaveBytes ChunkHeader(const char* id, std::uint32_t size) {
    WaveBytes out;
    PutId(out, id);
    Put32(out, size);
    return out;
}

WaveBytes Chunk(const char* id, const WaveBytes& body) {
    WaveBytes out = ChunkHeader(id, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 != 0)
        out.push_back(0);  // pad byte
    return out;
}

WaveBytes FormatBody(const WaveFormat& format, std::size_t size) {
    WaveBytes out;
    Put16(out, format.formatTag);
    Put16(out, format.channels);
    Put32(out, format.samplesPerSecond);
    Put32(out, format.averageBytesPerSecond);
    Put16(out, format.blockAlign);
    Put16(out, format.bitsPerSample);
    Put16(out, format.extraSize);
    out.resize(size < out.size() ? size : out.size());
    return out;
}

WaveFormat Pcm(std::uint16_t channels, std::uint32_t samplesPerSecond,
               std::uint16_t bitsPerSample) {
    WaveFormat format;
    format.formatTag = 1;  // WAVE_FORMAT_PCM
    format.channels = channels;
    format.samplesPerSecond = samplesPerSecond;
    format.blockAlign = static_cast<std::uint16_t>(channels * bitsPerSample / 8);
    format.averageBytesPerSecond = samplesPerSecond * format.blockAlign;
    format.bitsPerSample = bitsPerSample;
    return format;
}

WaveBytes RiffFile(const std::vector<WaveBytes>& chunks, std::uint32_t riffSize,
                   const char* formType) {
    WaveBytes out;
    PutId(out, "RIFF");
    Put32(out, riffSize);
    PutId(out, formType);
    for (const WaveBytes& chunk : chunks)
        out.insert(out.end(), chunk.begin(), chunk.end());
    return out;
}

WaveBytes WaveFile(const std::vector<WaveBytes>& chunks) {
    std::size_t size = 4;  // the form type
    for (const WaveBytes& chunk : chunks)
        size += chunk.size();
    return RiffFile(chunks, static_cast<std::uint32_t>(size));
}

WaveBytes SampleBytes(std::size_t count, std::uint8_t seed) {
    WaveBytes out(count);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = static_cast<std::uint8_t>(seed + i);
    return out;
}

WaveBytes Joined(WaveBytes bytes, const WaveBytes& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return bytes;
}
