#include "support/settings_builder.h"

std::vector<std::uint8_t> DistinctSettingsBytes(std::int32_t language) {
    std::vector<std::uint8_t> bytes(kSettingsFileSize);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    PutLittleEndian32(bytes, 0, kSettingsVersionBits);
    PutLittleEndian32(bytes, 168, static_cast<std::uint32_t>(language));
    return bytes;
}

void PutLittleEndian32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetLittleEndian32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= std::uint32_t{bytes[offset + i]} << (8 * i);
    return value;
}
