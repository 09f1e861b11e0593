// The settings record's byte layout, its defaults and its version test.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "settings/settings_file.h"
#include "support/settings_builder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Encoded(const SettingsFile& record) {
    const SettingsBytes bytes = EncodeSettings(record);
    return Bytes(bytes.begin(), bytes.end());
}

SettingsFile Decoded(const Bytes& bytes) {
    SettingsBytes fixed{};
    std::memcpy(fixed.data(), bytes.data(), fixed.size());
    return DecodeSettings(fixed);
}

Guid GuidCounting(std::uint8_t first) {
    Guid guid;
    for (int i = 0; i < 16; ++i)
        guid.bytes[i] = static_cast<std::uint8_t>(first + i);
    return guid;
}

TEST(SettingsFile, EveryFieldLiesAtItsOffsetLittleEndian) {
    SettingsFile record;
    record.version = kSettingsVersion;
    record.soundDevice = GuidCounting(0x10);
    record.displayAdapter = GuidCounting(0x30);
    record.displayWidth = 1024;
    record.displayHeight = 768;
    record.depthBits = 24;
    record.colourBits = 32;
    record.windowed = 1;
    record.compatibilityMode = 1;
    record.highDetail = -2;
    record.controllerDevice = GuidCounting(0x50);
    for (int i = 0; i < kActionCount; ++i) {
        record.keyboardBindings[i] = 100 + i;
        record.controllerBindings[i] = 200 + i;
    }
    record.controlsConstant = 39;
    record.reservedA = {0xA1, 0xA2, 0xA3, 0xA4};
    record.reservedB = {0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8};
    record.language = 3;

    const Bytes bytes = Encoded(record);
    ASSERT_EQ(bytes.size(), 172u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 4), (Bytes{0x66, 0x66, 0x06, 0x40}));
    EXPECT_EQ(bytes[4], 0x10);
    EXPECT_EQ(bytes[19], 0x1F);
    EXPECT_EQ(bytes[20], 0x30);
    EXPECT_EQ(GetLittleEndian32(bytes, 36), 1024u);
    EXPECT_EQ(GetLittleEndian32(bytes, 40), 768u);
    EXPECT_EQ(GetLittleEndian32(bytes, 44), 24u);
    EXPECT_EQ(GetLittleEndian32(bytes, 48), 32u);
    EXPECT_EQ(GetLittleEndian32(bytes, 52), 1u);
    EXPECT_EQ(GetLittleEndian32(bytes, 56), 1u);
    EXPECT_EQ(Bytes(bytes.begin() + 60, bytes.begin() + 64), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(bytes[64], 0x50);
    EXPECT_EQ(GetLittleEndian32(bytes, 80), 100u);
    EXPECT_EQ(GetLittleEndian32(bytes, 112), 108u);
    EXPECT_EQ(GetLittleEndian32(bytes, 116), 39u);
    EXPECT_EQ(Bytes(bytes.begin() + 120, bytes.begin() + 124), (Bytes{0xA1, 0xA2, 0xA3, 0xA4}));
    EXPECT_EQ(GetLittleEndian32(bytes, 124), 200u);
    EXPECT_EQ(GetLittleEndian32(bytes, 156), 208u);
    EXPECT_EQ(bytes[160], 0xB1);
    EXPECT_EQ(bytes[167], 0xB8);
    EXPECT_EQ(GetLittleEndian32(bytes, 168), 3u);
}

TEST(SettingsFile, EveryByteOfAFileSurvivesDecodingAndEncoding) {
    // Any bytes at all, the version included: a NaN or a denormal must come back bit for bit.
    Bytes bytes(172);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(255 - i);
    bytes[0] = 0x01;
    bytes[1] = 0x00;
    bytes[2] = 0xC0;
    bytes[3] = 0x7F;  // a signalling NaN
    EXPECT_EQ(Encoded(Decoded(bytes)), bytes);
}

TEST(SettingsFile, ShortReadsReplaceOnlyTheirLeadingBytesAndLongOnesStopAt172) {
    SettingsFile record = Decoded(DistinctSettingsBytes(2));

    const Bytes shortFile = {0x66, 0x66, 0x06, 0x40, 0xEE, 0xEE};
    OverlaySettings(record, shortFile.data(), shortFile.size());
    Bytes expected = DistinctSettingsBytes(2);
    expected[4] = expected[5] = 0xEE;
    EXPECT_EQ(Encoded(record), expected);

    Bytes longFile(300, 0x11);
    OverlaySettings(record, longFile.data(), longFile.size());
    EXPECT_EQ(Encoded(record), Bytes(172, 0x11));
}

TEST(SettingsFile, OnlyTheExactBytesOfTwoPointOnePassTheVersionTest) {
    const auto withVersion = [](std::uint32_t bits) {
        Bytes bytes = DistinctSettingsBytes();
        PutLittleEndian32(bytes, 0, bits);
        return Decoded(bytes);
    };
    EXPECT_TRUE(PassesVersionTest(withVersion(0x40066666)));   // 66 66 06 40
    EXPECT_FALSE(PassesVersionTest(withVersion(0x40000000)));  // 2.0
    EXPECT_FALSE(PassesVersionTest(withVersion(0x400CCCCD)));  // 2.2
    EXPECT_FALSE(PassesVersionTest(withVersion(0x40066667)));  // the next float up
    EXPECT_FALSE(PassesVersionTest(withVersion(0)));

    // A valid record in memory does not make a file too short for a version valid.
    SettingsFile record = withVersion(0x40066666);
    const Bytes tiny = {0x66, 0x66};
    OverlaySettings(record, tiny.data(), tiny.size());
    EXPECT_TRUE(PassesVersionTest(record));
    EXPECT_FALSE(ReadPassesVersionTest(record, tiny.size()));
    EXPECT_TRUE(ReadPassesVersionTest(record, 4));
}

TEST(SettingsFile, BindingDefaultsTouchOnlyBindingsConstantAndVersion) {
    Bytes bytes = DistinctSettingsBytes(4);
    PutLittleEndian32(bytes, 0, 0x40000000);  // an old version
    SettingsFile record = Decoded(bytes);
    ApplyDefaultBindings(record);

    Bytes after = Encoded(record);
    // File order: Left, Right, Forward, Backward, Jump, Search, Tav, Turn Left, Turn Right.
    const std::uint32_t keyboard[] = {242, 244, 239, 247, 68, 81, 95, 83, 84};
    const std::uint32_t controller[] = {33, 33, 34, 34, 2, 3, 1, 4, 5};
    for (int i = 0; i < kActionCount; ++i) {
        EXPECT_EQ(GetLittleEndian32(after, 80 + 4 * i), keyboard[i]) << i;
        EXPECT_EQ(GetLittleEndian32(after, 124 + 4 * i), controller[i]) << i;
        PutLittleEndian32(after, 80 + 4 * i, GetLittleEndian32(bytes, 80 + 4 * i));
        PutLittleEndian32(after, 124 + 4 * i, GetLittleEndian32(bytes, 124 + 4 * i));
    }
    EXPECT_EQ(GetLittleEndian32(after, 116), 39u);
    EXPECT_EQ(GetLittleEndian32(after, 0), 0x40066666u);
    PutLittleEndian32(after, 116, GetLittleEndian32(bytes, 116));
    PutLittleEndian32(after, 0, GetLittleEndian32(bytes, 0));
    EXPECT_EQ(after, bytes);  // nothing else moved
}

TEST(SettingsFile, ActionsIndexTheBindingArraysInFileOrder) {
    SettingsFile record;
    ApplyDefaultBindings(record);
    EXPECT_EQ(record.KeyboardBinding(SettingsAction::Tav), 95);   // left Alt
    EXPECT_EQ(record.KeyboardBinding(SettingsAction::Jump), 68);  // left Ctrl
    EXPECT_EQ(record.ControllerBinding(SettingsAction::Tav), 1);  // button 1
    EXPECT_EQ(record.ControllerBinding(SettingsAction::TurnRight), 5);
}

TEST(SettingsFile, GuidsAreZeroOnlyWhenAllTheirBytesAre) {
    Guid guid;
    EXPECT_TRUE(guid.IsZero());
    guid.bytes[15] = 1;
    EXPECT_FALSE(guid.IsZero());
    EXPECT_TRUE(guid.FirstHalfIsZero());
    guid.bytes[7] = 1;
    EXPECT_FALSE(guid.FirstHalfIsZero());
}

}  // namespace
