// How the loader reads: whole rows, one read per chunk, within the read budget.

#include <gtest/gtest.h>

#include <vector>

#include "skin/bmp_loader.h"
#include "skin/image_hooks.h"
#include "support/bmp_builder.h"
#include "support/image_hook_recorder.h"

namespace {

// Remembers the size of every read asked of it.
class CountingSource final : public ByteSource {
  public:
    explicit CountingSource(std::vector<std::uint8_t> bytes)
        : bytes_(std::move(bytes)), inner_(bytes_.data(), bytes_.size()) {}
    std::size_t Read(void* into, std::size_t size) override {
        reads.push_back(size);
        return inner_.Read(into, size);
    }
    bool Skip(std::uint64_t count) override { return inner_.Skip(count); }
    std::uint64_t Remaining() const override { return inner_.Remaining(); }

    std::vector<std::size_t> reads;

  private:
    std::vector<std::uint8_t> bytes_;
    MemoryByteSource inner_;
};

TEST(BmpChunking, SixHundredFortyByThousandIsReadInFifteenChunks) {
    ImageHookRecorder hooks;
    CountingSource source(BuildBmp(Patterned24(640, 1000)));
    std::uint8_t* pixels =
        LoadBmpFrom(source, "big.bmp", nullptr, nullptr, nullptr, nullptr, FormatRgb565, 1);
    ASSERT_NE(pixels, nullptr);
    hooks.Release(pixels);

    // The two headers, then 14 chunks of 68 rows and one of 48, 1920 bytes a row, through a read
    // buffer of 68 rows.
    std::vector<std::size_t> expected = {14, 40};
    expected.insert(expected.end(), 14, 68 * 1920);
    expected.push_back(48 * 1920);
    EXPECT_EQ(source.reads, expected);
    EXPECT_EQ(hooks.SizesTagged(kTagReadBuffer), (std::vector<std::int32_t>{68 * 1920}));
}

TEST(BmpChunking, RowsAlreadyInTheOutputLayoutAreReadInOneGoWithoutAReadBuffer) {
    ImageHookRecorder hooks;
    CountingSource source(BuildBmp(Patterned24(640, 1000)));
    std::uint8_t* pixels =
        LoadBmpFrom(source, "big.bmp", nullptr, nullptr, nullptr, nullptr, FormatBgr24, 1);
    ASSERT_NE(pixels, nullptr);
    hooks.Release(pixels);

    EXPECT_EQ(source.reads, (std::vector<std::size_t>{14, 40, 1000 * 1920}));
    EXPECT_TRUE(hooks.SizesTagged(kTagReadBuffer).empty());
}

TEST(BmpChunking, EveryRowOfAChunkLandsInItsPlace) {
    ImageHookRecorder hooks;
    hooks.SetReadBudget(3 * 1920);  // three rows a chunk, so that chunk borders fall inside
    const BmpFile file = Patterned24(640, 10);
    for (int bottomUp : {1, 0}) {
        SCOPED_TRACE(bottomUp);
        const std::vector<std::uint8_t> bytes = BuildBmp(file);
        MemoryByteSource from(bytes.data(), bytes.size());
        std::uint8_t* pixels = LoadBmpFrom(from, "rows.bmp", nullptr, nullptr, nullptr, nullptr,
                                           FormatBgr24, bottomUp);
        ASSERT_NE(pixels, nullptr);
        for (int y = 0; y < 10; ++y) {
            const int outputRow = bottomUp ? y : 9 - y;
            std::uint8_t bgr[3];
            PatternPixel(17, y, bgr);
            EXPECT_EQ(pixels[outputRow * 1920 + 17 * 3], bgr[0]) << "stored row " << y;
        }
        hooks.Release(pixels);
    }
}

}  // namespace
