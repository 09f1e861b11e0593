// The BMP loader, on real files. Built into the native tests and into the Windows-side tests, so
// that the same files load the same way through both C libraries.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "skin/bmp_loader.h"
#include "skin/image_hooks.h"
#include "support/bmp_builder.h"
#include "support/image_hook_recorder.h"
#include "support/temp_file.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Loaded {
    bool ok = false;
    Bytes pixels;
    std::int32_t width = -1;
    std::int32_t height = -1;
    std::int32_t depth = -1;
};

class BmpLoaderTest : public ::testing::Test {
  protected:
    Loaded Load(const BmpFile& file, StorageFormat format, int bottomUp = 1,
                PaletteRequest* slot = nullptr) {
        TempFile temp(BuildBmp(file));
        path = temp.Path();
        return LoadPath(path, format, bottomUp, slot);
    }

    Loaded LoadPath(const std::string& from, StorageFormat format, int bottomUp = 1,
                    PaletteRequest* slot = nullptr) {
        Loaded loaded;
        std::uint8_t* pixels = LoadBmp(from.c_str(), slot, &loaded.width, &loaded.height,
                                       &loaded.depth, format, bottomUp);
        loaded.ok = pixels != nullptr;
        if (pixels != nullptr) {
            ImageHookRecorder& recorder = ImageHookRecorder::Active();
            const std::vector<std::int32_t> sizes = recorder.SizesTagged(kTagPixelData);
            loaded.pixels.assign(pixels, pixels + sizes.back());
            recorder.Release(pixels);
        }
        return loaded;
    }

    std::string OnlyMessage() const {
        EXPECT_EQ(hooks.Messages().size(), 1u);
        return hooks.Messages().empty() ? std::string() : hooks.Messages().front();
    }

    ImageHookRecorder hooks;
    std::string path;
};

// A 3 x 2 picture of 24 bits: 9 bytes of pixels and 3 of padding per stored row.
BmpFile Width3File() {
    BmpFile file;
    file.width = 3;
    file.height = 2;
    file.rows = {
        0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0xAA, 0xAA, 0xAA,  // bottom row
        0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0xAA, 0xAA, 0xAA,  // top row
    };
    return file;
}

BmpFile Paletted(std::uint16_t bits, std::int32_t width, std::int32_t height, Bytes rows,
                 std::vector<std::uint32_t> palette, std::uint32_t coloursUsed = 0) {
    BmpFile file;
    file.bitsPerPixel = bits;
    file.width = width;
    file.height = height;
    file.rows = std::move(rows);
    file.palette = std::move(palette);
    file.coloursUsed = coloursUsed;
    return file;
}

// 256 entries, entry i being red i, green 255 - i, blue i / 2.
std::vector<std::uint32_t> GradientPalette(int count) {
    std::vector<std::uint32_t> palette;
    for (int i = 0; i < count; ++i) {
        palette.push_back(std::uint32_t(i) << 16 | std::uint32_t(255 - i) << 8 |
                          std::uint32_t(i / 2));
    }
    return palette;
}

TEST_F(BmpLoaderTest, TwentyFourBitRowsLoseOnlyTheirPadding) {
    const Loaded bgr = Load(Width3File(), FormatBgr24);
    ASSERT_TRUE(bgr.ok);
    EXPECT_EQ(bgr.pixels, (Bytes{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09,  //
                                 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19}));
    EXPECT_EQ(bgr.width, 3);
    EXPECT_EQ(bgr.height, 2);
    EXPECT_EQ(bgr.depth, 24);

    const Loaded native = Load(Width3File(), FormatNative);
    ASSERT_TRUE(native.ok);
    EXPECT_EQ(native.pixels, (Bytes{0x03, 0x02, 0x01, 0x06, 0x05, 0x04, 0x09, 0x08, 0x07,  //
                                    0x13, 0x12, 0x11, 0x16, 0x15, 0x14, 0x19, 0x18, 0x17}));
    EXPECT_EQ(Load(Width3File(), FormatRgb24).pixels, native.pixels);
}

TEST_F(BmpLoaderTest, TopDownOutputPutsTheFilesFirstRowLast) {
    const Loaded loaded = Load(Width3File(), FormatBgr24, /*bottomUp=*/0);
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.pixels, (Bytes{0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19,  //
                                    0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09}));
}

TEST_F(BmpLoaderTest, SixteenBitWordsTruncateEachChannel) {
    BmpFile file;
    file.rows = {0x0F, 0x84, 0xFF, 0x00};  // blue 0x0F, green 0x84, red 0xFF
    // 5-5-5: red 31 << 10 | green 16 << 5 | blue 1 = 0x7E01, least significant byte first.
    EXPECT_EQ(Load(file, FormatRgb555).pixels, (Bytes{0x01, 0x7E}));
    // 5-6-5: red 31 << 11 | green 33 << 5 | blue 1 = 0xFC21.
    EXPECT_EQ(Load(file, FormatRgb565).pixels, (Bytes{0x21, 0xFC}));
}

TEST_F(BmpLoaderTest, TopDownFilesAreTurnedTheRightWayUp) {
    BmpFile file = Width3File();
    file.height = -2;  // the first stored row is now the top row
    const Loaded bottomUp = Load(file, FormatBgr24, 1);
    ASSERT_TRUE(bottomUp.ok);
    EXPECT_EQ(bottomUp.height, 2);
    EXPECT_EQ(bottomUp.pixels, (Bytes{0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19,  //
                                      0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09}));
    const Loaded topDown = Load(file, FormatBgr24, 0);
    EXPECT_EQ(Bytes(topDown.pixels.begin(), topDown.pixels.begin() + 3), (Bytes{1, 2, 3}));
}

TEST_F(BmpLoaderTest, EightBitFileWithoutColourCountReadsAFullTable) {
    // Colours used 0 means 256 entries: the pixels start 1024 bytes after the bitmap header.
    const BmpFile file = Paletted(8, 4, 1, {0, 1, 254, 255}, GradientPalette(256));
    const Loaded loaded = Load(file, FormatBgr24);
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.pixels, (Bytes{0, 255, 0, /**/ 0, 254, 1, /**/ 127, 1, 254,  //
                                    127, 0, 255}));
    EXPECT_EQ(Load(file, FormatIndex8).pixels, (Bytes{0, 1, 254, 255}));
}

TEST_F(BmpLoaderTest, ColourCountTwentyTakesPixelsFromOffset134) {
    const BmpFile file = Paletted(8, 4, 1, {19, 0, 7, 25}, GradientPalette(20), 20);
    const Bytes bytes = BuildBmp(file);
    ASSERT_EQ(bytes.size(), 134u + 4u);
    ASSERT_EQ(bytes[134], 19);

    const Loaded loaded = Load(file, FormatRgb24);
    ASSERT_TRUE(loaded.ok);
    // Index 25 lies beyond the 20 colours: it comes out black.
    EXPECT_EQ(loaded.pixels, (Bytes{19, 236, 9, /**/ 0, 255, 0, /**/ 7, 248, 3, /**/ 0, 0, 0}));
}

TEST_F(BmpLoaderTest, EightBitRowsOfAnyWidthGiveEveryPixelItsOwnColour) {
    // Two rows of 7 indices (stored rows of 8 bytes): more than a multiple of four pixels, so
    // that pixels are packed in fours, one by one and last, and rows meet in the output.
    const BmpFile file = Paletted(8, 7, 2,
                                  {0, 1, 2, 3, 4, 5, 6, 0xEE,  //
                                   250, 251, 252, 253, 254, 255, 7, 0xEE},
                                  GradientPalette(256));
    const Bytes indices = {0, 1, 2, 3, 4, 5, 6, 250, 251, 252, 253, 254, 255, 7};
    // Entry i is red i, green 255 - i, blue i / 2.
    Bytes bgr, rgb, rgb565;
    for (std::uint8_t i : indices) {
        const std::uint8_t red = i, green = 255 - i, blue = i / 2;
        bgr.insert(bgr.end(), {blue, green, red});
        rgb.insert(rgb.end(), {red, green, blue});
        const unsigned word = (red >> 3) << 11 | (green >> 2) << 5 | blue >> 3;
        rgb565.insert(rgb565.end(), {std::uint8_t(word), std::uint8_t(word >> 8)});
    }
    EXPECT_EQ(Load(file, FormatBgr24).pixels, bgr);
    EXPECT_EQ(Load(file, FormatRgb24).pixels, rgb);
    EXPECT_EQ(Load(file, FormatRgb565).pixels, rgb565);
}

TEST_F(BmpLoaderTest, FourBitOddWidthPacksTheLastIndexIntoAHighNibble) {
    // Indices 1 2 3 4 5; the unused low nibble of the third byte holds junk (F).
    const BmpFile file = Paletted(4, 5, 2,
                                  {0x12, 0x34, 0x5F, 0x00,  //
                                   0x67, 0x89, 0xAF, 0x00},
                                  GradientPalette(16));
    const Loaded index4 = Load(file, FormatIndex4);
    ASSERT_TRUE(index4.ok);
    EXPECT_EQ(index4.pixels, (Bytes{0x12, 0x34, 0x50, /**/ 0x67, 0x89, 0xA0}));

    const Loaded index8 = Load(file, FormatIndex8);
    EXPECT_EQ(index8.pixels, (Bytes{1, 2, 3, 4, 5, /**/ 6, 7, 8, 9, 10}));
    EXPECT_EQ(Load(file, FormatNative).pixels, index4.pixels);
}

TEST_F(BmpLoaderTest, OneBitFilesAreUnpackedMostSignificantBitFirst) {
    // Ten pixels 1011001110 in two bytes, padded to four.
    const BmpFile file = Paletted(1, 10, 1, {0xB3, 0x80, 0x00, 0x00}, {0x000000, 0xFFFFFF});
    EXPECT_EQ(Load(file, FormatIndex8).pixels, (Bytes{1, 0, 1, 1, 0, 0, 1, 1, 1, 0}));
    EXPECT_EQ(Load(file, FormatIndex4).pixels, (Bytes{0x10, 0x11, 0x00, 0x11, 0x10}));
    const Loaded bgr = Load(file, FormatBgr24);
    ASSERT_EQ(bgr.pixels.size(), 30u);
    EXPECT_EQ(bgr.pixels[0], 0xFF);
    EXPECT_EQ(bgr.pixels[3], 0x00);
}

TEST_F(BmpLoaderTest, PaletteSlotAsksForABlockNothingOrACopy) {
    const BmpFile file = Paletted(8, 4, 1, {0, 1, 2, 3}, GradientPalette(4), 4);

    PaletteRequest empty = nullptr;
    ASSERT_TRUE(Load(file, FormatIndex8, 1, &empty).ok);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(hooks.SizesTagged(kTagPalette), (std::vector<std::int32_t>{12}));
    EXPECT_EQ(Bytes(empty, empty + 12), (Bytes{0, 255, 0, 1, 254, 0, 2, 253, 1, 3, 252, 1}));
    hooks.Release(empty);

    PaletteRequest none = NoPaletteWanted();
    ASSERT_TRUE(Load(file, FormatIndex8, 1, &none).ok);
    EXPECT_EQ(none, NoPaletteWanted());
    EXPECT_EQ(hooks.SizesTagged(kTagPalette).size(), 1u);

    std::uint8_t buffer[768];
    std::memset(buffer, 0xCC, sizeof buffer);
    PaletteRequest mine = buffer;
    ASSERT_TRUE(Load(file, FormatIndex8, 1, &mine).ok);
    EXPECT_EQ(mine, buffer);
    EXPECT_EQ(Bytes(buffer, buffer + 13),
              (Bytes{0, 255, 0, 1, 254, 0, 2, 253, 1, 3, 252, 1, 0xCC}));
    EXPECT_EQ(hooks.SizesTagged(kTagPalette).size(), 1u);
    EXPECT_EQ(hooks.OutstandingBlocks(), 0u);
}

TEST_F(BmpLoaderTest, DepthCheckRefusesFormatsTooSmallForTheFile) {
    const BmpFile four = Paletted(4, 2, 1, {0x12, 0, 0, 0}, GradientPalette(16));
    const BmpFile eight = Paletted(8, 2, 1, {1, 2, 0, 0}, GradientPalette(256));
    const BmpFile twentyFour = Width3File();
    struct Case {
        const BmpFile& file;
        StorageFormat format;
        int bits;
    };
    const Case cases[] = {{four, FormatIndex1, 4},
                          {four, FormatIndex2, 4},
                          {eight, FormatIndex4, 8},
                          {twentyFour, FormatIndex8, 24}};
    for (const Case& c : cases) {
        ImageHookRecorder fresh;
        const Loaded loaded = Load(c.file, c.format);
        EXPECT_FALSE(loaded.ok);
        ASSERT_EQ(fresh.Messages().size(), 1u);
        EXPECT_EQ(fresh.Messages()[0],
                  "BRIM: Cannot reduce the number of BPP required to store an image ('" + path +
                      "' is " + std::to_string(c.bits) + " BPP)\n");
        EXPECT_TRUE(fresh.SizesTagged(kTagPixelData).empty());
    }
}

TEST_F(BmpLoaderTest, UnknownStorageFormatIsRefusedAfterTheOutputsAreWritten) {
    for (std::int32_t code : {11, -1}) {
        ImageHookRecorder fresh;
        const Loaded loaded = Load(Width3File(), static_cast<StorageFormat>(code));
        EXPECT_FALSE(loaded.ok);
        EXPECT_EQ(loaded.width, 3);
        EXPECT_EQ(loaded.height, 2);
        EXPECT_EQ(loaded.depth, 24);
        ASSERT_EQ(fresh.Messages().size(), 1u);
        EXPECT_EQ(fresh.Messages()[0], "BRIM: Unknown storage format\n");
    }
}

TEST_F(BmpLoaderTest, MissingAndForeignFilesAreReported) {
    const std::string missing = MissingTempPath();
    EXPECT_FALSE(LoadPath(missing, FormatBgr24).ok);
    EXPECT_EQ(OnlyMessage(), "BRIM: Could not open file '" + missing + "'\n");

    ImageHookRecorder fresh;
    TempFile png(Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_FALSE(LoadPath(png.Path(), FormatBgr24).ok);
    ASSERT_EQ(fresh.Messages().size(), 1u);
    EXPECT_EQ(fresh.Messages()[0],
              "BRIM: File '" + png.Path() + "' does not appear to be a valid BMP file\n");
}

TEST_F(BmpLoaderTest, HeadersOutsideWhatTheLoaderReadsAreRefusedWithAMessage) {
    auto with = [](auto change) {
        BmpFile file = Width3File();
        change(file);
        return file;
    };
    struct Case {
        const char* what;
        BmpFile file;
        StorageFormat format;
        const char* messageStart;
    };
    const Case cases[] = {
        {"16 BPP", with([](BmpFile& f) { f.bitsPerPixel = 16; }), FormatBgr24,
         "BRIM: File '%' is 16 BPP"},
        {"32 BPP", with([](BmpFile& f) { f.bitsPerPixel = 32; }), FormatBgr24,
         "BRIM: File '%' is 32 BPP"},
        {"2 BPP", with([](BmpFile& f) { f.bitsPerPixel = 2; }), FormatIndex8,
         "BRIM: File '%' is 2 BPP"},
        {"Index1 has no packing", Paletted(1, 8, 1, {0xFF, 0, 0, 0}, {0, 0xFFFFFF}), FormatIndex1,
         "BRIM: Storage format 1 cannot"},
        {"native 1 BPP is Index1", Paletted(1, 8, 1, {0xFF, 0, 0, 0}, {0, 0xFFFFFF}), FormatNative,
         "BRIM: Storage format 1 cannot"},
        {"Format32A", Width3File(), Format32A, "BRIM: Storage format 9 cannot"},
        {"Format32B", Width3File(), Format32B, "BRIM: Storage format 10 cannot"},
        {"run-length", with([](BmpFile& f) { f.compression = 1; }), FormatBgr24,
         "BRIM: File '%' is compressed"},
        {"width 0", with([](BmpFile& f) { f.width = 0; }), FormatBgr24, "BRIM: File '%' has no"},
        {"width -3", with([](BmpFile& f) { f.width = -3; }), FormatBgr24, "BRIM: File '%' has no"},
        {"height 0", with([](BmpFile& f) { f.height = 0; }), FormatBgr24, "BRIM: File '%' has no"},
        {"lowest height", with([](BmpFile& f) { f.height = INT32_MIN; }), FormatBgr24,
         "BRIM: File '%' has no"},
        {"300 colours", Paletted(8, 2, 1, {0, 0, 0, 0}, GradientPalette(256), 300), FormatIndex8,
         "BRIM: File '%' has 300 colours"},
        {"row past 32 bits", with([](BmpFile& f) { f.width = 0x7FFFFFFF; }), FormatBgr24,
         "BRIM: File '%' is too large"},
        {"picture past 32 bits", with([](BmpFile& f) {
             f.width = 50000;
             f.height = 50000;
         }),
         FormatBgr24, "BRIM: File '%' is too large"},
        {"huge header in a small file", with([](BmpFile& f) {
             f.width = 4000;
             f.height = 4000;
         }),
         FormatBgr24, "BRIM: File '%' is truncated"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ImageHookRecorder fresh;
        const Loaded loaded = Load(c.file, c.format);
        EXPECT_FALSE(loaded.ok);
        ASSERT_EQ(fresh.Messages().size(), 1u);
        std::string expected = c.messageStart;
        if (const auto at = expected.find('%'); at != std::string::npos) {
            expected.replace(at, 1, path);
        }
        EXPECT_EQ(fresh.Messages()[0].rfind(expected, 0), 0u) << fresh.Messages()[0];
        EXPECT_EQ(fresh.Messages()[0].back(), '\n');
        EXPECT_EQ(fresh.OutstandingBlocks(), 0u);
        EXPECT_TRUE(fresh.SizesTagged(kTagPixelData).empty());
    }
}

TEST_F(BmpLoaderTest, RowsMissingFromATruncatedFileComeOutAsZeroBytes) {
    BmpFile file = Patterned24(4, 4);             // rows of 12 bytes
    file.rows.resize(file.rows.size() - 12 - 5);  // the top row and 5 bytes of the one below
    const Loaded loaded = Load(file, FormatBgr24);
    ASSERT_TRUE(loaded.ok);
    ASSERT_EQ(loaded.pixels.size(), 48u);
    EXPECT_EQ(Bytes(loaded.pixels.begin(), loaded.pixels.begin() + 31), file.rows);
    EXPECT_EQ(Bytes(loaded.pixels.begin() + 31, loaded.pixels.end()), Bytes(17, 0));

    // The same holds where the rows go through the read buffer.
    const Loaded rgb = Load(file, FormatRgb24, 0);
    ASSERT_TRUE(rgb.ok);
    EXPECT_EQ(Bytes(rgb.pixels.begin(), rgb.pixels.begin() + 12), Bytes(12, 0));
}

TEST_F(BmpLoaderTest, DataOffsetFieldIsNeverUsedToSeek) {
    BmpFile file = Paletted(8, 4, 1, {9, 9, 9, 9}, GradientPalette(2), 2);
    file.gap = {1, 0, 1, 0};  // the data offset field points past these bytes
    const Loaded loaded = Load(file, FormatIndex8);
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.pixels, (Bytes{1, 0, 1, 0}));
}

TEST_F(BmpLoaderTest, FailedAllocationsReleaseWhatWasTakenAndSaySo) {
    const BmpFile paletted = Paletted(8, 4, 2, Bytes(8, 1), GradientPalette(4), 4);
    struct Case {
        const char* tag;
        const BmpFile file;
        StorageFormat format;
        std::string message;
    };
    const Case cases[] = {
        {kTagPixelData, Width3File(), FormatBgr24, "BRIM: Out of memory (18 bytes)\n"},
        {kTagReadBuffer, Width3File(), FormatRgb24, "BRIM: Out of memory (24 bytes)\n"},
        {kTagConversionBuffer, paletted, FormatBgr24,
         "BRIM: Out of memory for conversion buffer\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag);
        ImageHookRecorder fresh;
        fresh.FailAllocationsTagged(c.tag);
        EXPECT_FALSE(Load(c.file, c.format).ok);
        ASSERT_EQ(fresh.Messages().size(), 1u);
        EXPECT_EQ(fresh.Messages()[0], c.message);
        EXPECT_EQ(fresh.OutstandingBlocks(), 0u);
    }

    // Without the palette block the pixels are still returned, and the slot stays empty.
    ImageHookRecorder fresh;
    fresh.FailAllocationsTagged(kTagPalette);
    PaletteRequest slot = nullptr;
    EXPECT_TRUE(Load(paletted, FormatIndex8, 1, &slot).ok);
    EXPECT_EQ(slot, nullptr);
    ASSERT_EQ(fresh.Messages().size(), 1u);
    EXPECT_EQ(fresh.Messages()[0], "BRIM: Out of memory (12 bytes)\n");
}

TEST_F(BmpLoaderTest, RowsLongerThanTheReadBudgetAreReadOneAtATime) {
    hooks.SetReadBudget(16);
    const BmpFile file = Patterned24(10, 3);  // 32-byte rows
    const Loaded loaded = Load(file, FormatRgb24);
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(hooks.SizesTagged(kTagReadBuffer), (std::vector<std::int32_t>{32}));
    std::uint8_t bgr[3];
    PatternPixel(9, 2, bgr);
    EXPECT_EQ(loaded.pixels[2 * 30 + 27], bgr[2]);
    EXPECT_EQ(loaded.pixels[2 * 30 + 29], bgr[0]);
}

TEST_F(BmpLoaderTest, LargePictureIsReadInChunksWithinTheBudget) {
    // 640 x 1000 at 24 bits: 1920-byte rows, 131072 / 1920 = 68 rows a chunk.
    const Loaded loaded = Load(Patterned24(640, 1000), FormatRgb24);
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(hooks.SizesTagged(kTagReadBuffer), (std::vector<std::int32_t>{68 * 1920}));
    std::uint8_t bgr[3];
    PatternPixel(639, 999, bgr);
    EXPECT_EQ(loaded.pixels[999 * 1920 + 639 * 3], bgr[2]);
}

TEST_F(BmpLoaderTest, LongPathsAreCutToTheMessageCapacity) {
    const std::string missing = MissingTempPath() + std::string(1500, 'x');
    EXPECT_FALSE(LoadPath(missing, FormatBgr24).ok);
    const std::string message = OnlyMessage();
    EXPECT_EQ(message.size(), static_cast<std::size_t>(kImageMessageCapacity - 1));
    EXPECT_EQ(message.rfind("BRIM: Could not open file '", 0), 0u);
}

}  // namespace
