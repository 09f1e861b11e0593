// Skin pictures are handed to the display as DIB rows, which start on 4-byte boundaries.

#include <gtest/gtest.h>

#include "skin/skin_picture.h"
#include "support/bmp_builder.h"
#include "support/temp_file.h"

namespace {

TEST(SkinPicture, RowsOfAnyWidthStartOnFourByteBoundaries) {
    // Width 50: 150 bytes of pixels, 152 a row both in the file and in the DIB.
    const BmpFile file = Patterned24(50, 3);
    TempFile temp(BuildBmp(file));
    const SkinPicture picture = LoadSkinPicture(temp.Path());
    ASSERT_TRUE(picture.Loaded());
    EXPECT_EQ(picture.width, 50);
    EXPECT_EQ(picture.height, 3);
    ASSERT_EQ(picture.rows.size(), 3u * 152u);
    for (int y = 0; y < 3; ++y) {
        for (int x : {0, 49}) {
            std::uint8_t bgr[3];
            PatternPixel(x, y, bgr);
            const std::uint8_t* at = &picture.rows[y * 152 + x * 3];
            EXPECT_EQ(at[0], bgr[0]) << x << "," << y;
            EXPECT_EQ(at[2], bgr[2]) << x << "," << y;
        }
    }
}

TEST(SkinPicture, PalettedPicturesBecomeTrueColour) {
    BmpFile file;
    file.width = 2;
    file.height = 1;
    file.bitsPerPixel = 4;
    file.palette = {0x102030, 0xA0B0C0};
    file.coloursUsed = 2;
    file.rows = {0x01, 0x00, 0x00, 0x00};
    TempFile temp(BuildBmp(file));
    const SkinPicture picture = LoadSkinPicture(temp.Path());
    ASSERT_TRUE(picture.Loaded());
    EXPECT_EQ(picture.rows, (std::vector<std::uint8_t>{0x30, 0x20, 0x10, 0xC0, 0xB0, 0xA0, 0, 0}));
}

// Nothing beyond the largest screen could be seen, and a 32-bit process may lack the memory.
TEST(SkinPicture, PicturesWiderOrTallerThanAnyScreenAreRefused) {
    const struct {
        std::int32_t width;
        std::int32_t height;
        bool loaded;
    } cases[] = {{kLargestScreenSide, 2, true},
                 {kLargestScreenSide + 1, 2, false},
                 {4, kLargestScreenSide + 1, false}};
    for (const auto& c : cases) {
        TempFile temp(BuildBmp(Patterned24(c.width, c.height)));
        EXPECT_EQ(LoadSkinPicture(temp.Path()).Loaded(), c.loaded) << c.width << " x " << c.height;
    }
}

TEST(SkinPicture, MissingOrBrokenFilesGiveNoPicture) {
    EXPECT_FALSE(LoadSkinPicture(MissingTempPath()).Loaded());
    TempFile text(std::vector<std::uint8_t>{'h', 'e', 'l', 'l', 'o'});
    EXPECT_FALSE(LoadSkinPicture(text.Path()).Loaded());
}

}  // namespace
