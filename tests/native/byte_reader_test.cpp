#include <gtest/gtest.h>

#include <array>

#include "base/byte_reader.h"

namespace {

TEST(ByteReader, ReadsLittleEndianAndFailsForGoodOnceItRunsOut) {
    const std::uint8_t bytes[] = {0x66, 0x66, 0x06, 0x40, 0x34, 0x12, 0xFF};
    ByteReader reader(bytes, sizeof bytes);
    EXPECT_EQ(reader.U32(), 0x40066666u);
    EXPECT_EQ(reader.U16(), 0x1234u);
    EXPECT_FALSE(reader.Failed());

    EXPECT_EQ(reader.U16(), 0u);  // only one byte left
    EXPECT_TRUE(reader.Failed());
    EXPECT_EQ(reader.U8(), 0u);  // the failure is sticky, although a byte remains
    EXPECT_EQ(reader.Position(), 6u);
}

TEST(ByteReader, NegativeNumbersKeepTheirSign) {
    const std::uint8_t bytes[] = {0xFE, 0xFF, 0xFF, 0xFF};
    ByteReader reader(bytes, sizeof bytes);
    EXPECT_EQ(reader.I32(), -2);
}

TEST(ByteWriter, WritesWhatTheReaderReadsAndNothingPastTheEnd) {
    std::array<std::uint8_t, 8> bytes{};
    ByteWriter writer(bytes.data(), bytes.size());
    writer.U32(0x40066666);
    writer.I32(-2);
    EXPECT_FALSE(writer.Failed());
    ByteReader reader(bytes.data(), bytes.size());
    EXPECT_EQ(reader.U32(), 0x40066666u);
    EXPECT_EQ(reader.I32(), -2);

    writer.Seek(6);
    writer.U32(0xAAAAAAAA);  // two bytes short
    EXPECT_TRUE(writer.Failed());
    writer.Seek(0);
    writer.U8(0xAA);  // the failure is sticky
    const std::array<std::uint8_t, 8> unchanged = {0x66, 0x66, 0x06, 0x40, 0xFE, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(bytes, unchanged);
}

}  // namespace
