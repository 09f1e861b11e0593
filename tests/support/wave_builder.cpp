#include "support/wave_builder.h"

#include <algorithm>
#include <cstring>

#include "base/byte_reader.h"

namespace {

// Ids are four characters ("fmt " ends in a space); a shorter one is filled up with spaces.
void PutId(ByteWriter& writer, const char* id) {
    const std::size_t length = std::strlen(id);
    for (std::size_t i = 0; i < 4; ++i)
        writer.U8(i < length ? static_cast<std::uint8_t>(id[i]) : std::uint8_t{' '});
}

}  // namespace

WaveBytes ChunkHeader(const char* id, std::uint32_t size) {
    WaveBytes out(8);
    ByteWriter writer(out.data(), out.size());
    PutId(writer, id);
    writer.U32(size);
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
    const auto record = WaveFormatBytes(format);
    return WaveBytes(record.begin(), record.begin() + std::min(size, record.size()));
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
    WaveBytes out(12);
    ByteWriter writer(out.data(), out.size());
    PutId(writer, "RIFF");
    writer.U32(riffSize);
    PutId(writer, formType);
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
