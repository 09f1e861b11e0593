#include "support/settings_builder.h"

#include "base/byte_reader.h"

std::vector<std::uint8_t> DistinctSettingsBytes(std::int32_t language) {
    std::vector<std::uint8_t> bytes(kSettingsFileSize);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    PutLittleEndian32(bytes, 0, kSettingsVersionBits);
    PutLittleEndian32(bytes, 168, static_cast<std::uint32_t>(language));
    return bytes;
}

void PutLittleEndian32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    ByteWriter writer(bytes.data(), bytes.size());
    writer.Seek(offset);
    writer.U32(value);
}

std::uint32_t GetLittleEndian32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    ByteReader reader(bytes.data(), bytes.size());
    reader.Seek(offset);
    return reader.U32();
}
