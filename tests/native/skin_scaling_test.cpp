// Skin pictures on displays of other DPI: DPI / 96 times larger, pixels repeated at whole
// multiples of 96 and blended in between, made once per DPI.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "skin/process_skin_picture.h"
#include "skin/skin_scaling.h"
#include "support/bmp_builder.h"
#include "support/temp_file.h"

namespace {

using Channel = std::function<std::uint8_t(int x, int y, int channel)>;

// A picture whose channel c at column x of stored row y is colour(x, y, c).
SkinPicture MakePicture(int width, int height, const Channel& colour) {
    SkinPicture picture;
    picture.width = width;
    picture.height = height;
    picture.rows.assign(DibRowSize(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 3; ++c)
                picture.rows[DibRowSize(width) * y + 3 * x + c] = colour(x, y, c);
        }
    }
    return picture;
}

std::uint8_t At(const SkinPicture& picture, int x, int y, int channel) {
    return picture.rows[DibRowSize(picture.width) * y + 3 * x + channel];
}

TEST(SkinScaling, WholeMultiplesOf96RepeatEveryPixel) {
    // 5 pixels wide: rows of 15 bytes padded to 16, scaled to 30 and 45 padded to 32 and 48.
    const SkinPicture picture =
        MakePicture(5, 3, [](int x, int y, int c) { return 40 * x + 7 * y + c; });
    for (int factor : {2, 3}) {
        const std::optional<SkinPicture> scaled = ScaleSkinPicture(picture, 96 * factor);
        ASSERT_TRUE(scaled);
        ASSERT_EQ(scaled->width, 5 * factor);
        ASSERT_EQ(scaled->height, 3 * factor);
        ASSERT_EQ(scaled->rows.size(), DibRowSize(5 * factor) * 3 * factor);
        for (int y = 0; y < scaled->height; ++y) {
            for (int x = 0; x < scaled->width; ++x) {
                for (int c = 0; c < 3; ++c) {
                    ASSERT_EQ(At(*scaled, x, y, c), At(picture, x / factor, y / factor, c))
                        << factor << "x at " << x << "," << y;
                }
            }
        }
    }
}

TEST(SkinScaling, BetweenMultiplesGradientsStaySmoothAndCornersKeepTheirPixels) {
    // Blue rises along the rows, green down the columns, red is a checkerboard.
    const SkinPicture picture = MakePicture(40, 25, [](int x, int y, int c) {
        return c == 0 ? 6 * x : c == 1 ? 10 * y : (x + y) % 2 * 255;
    });
    for (int dpi : {72, 120, 144, 168}) {
        SCOPED_TRACE(dpi);
        const std::optional<SkinPicture> scaled = ScaleSkinPicture(picture, dpi);
        ASSERT_TRUE(scaled);
        EXPECT_EQ(scaled->width, (40 * dpi + 48) / 96);
        EXPECT_EQ(scaled->height, (25 * dpi + 48) / 96);
        for (int y = 0; y < scaled->height; ++y) {
            for (int x = 1; x < scaled->width; ++x)
                ASSERT_GE(At(*scaled, x, y, 0), At(*scaled, x - 1, y, 0)) << x << "," << y;
        }
        for (int x = 0; x < scaled->width; ++x) {
            for (int y = 1; y < scaled->height; ++y)
                ASSERT_GE(At(*scaled, x, y, 1), At(*scaled, x, y - 1, 1)) << x << "," << y;
        }
        if (dpi < 96)
            continue;
        // Upscaled, the checkerboard blends into grey; the corners stay what they were.
        EXPECT_GT(At(*scaled, 1, 1, 2), 0);
        EXPECT_LT(At(*scaled, 1, 1, 2), 255);
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(At(*scaled, 0, 0, c), At(picture, 0, 0, c));
            EXPECT_EQ(At(*scaled, scaled->width - 1, scaled->height - 1, c),
                      At(picture, 39, 24, c));
        }
    }
    // Nothing to scale, and DPIs no display reports: the picture is drawn as it is.
    for (int dpi : {96, 0, -144, 23, 961})
        EXPECT_FALSE(ScaleSkinPicture(picture, dpi)) << dpi;
    EXPECT_FALSE(ScaleSkinPicture(SkinPicture{}, 144));
    // 21 MB, which at 960 DPI would become more than the 2 GiB the loader ever hands out.
    const SkinPicture wide{100000, 72, std::vector<std::uint8_t>(DibRowSize(100000) * 72)};
    EXPECT_FALSE(ScaleSkinPicture(wide, 960));
}

TEST(SkinScaling, TheProcessPictureIsScaledOncePerDpiAndDrawnAsLoadedAt96) {
    TempFile file(BuildBmp(Patterned24(30, 20)));
    ProcessSkinPicture process;
    process.Load(file.Path());
    ASSERT_TRUE(process.Loaded());

    EXPECT_EQ(process.AtDpi(96).rows, LoadSkinPicture(file.Path()).rows);
    const SkinPicture& scaled = process.AtDpi(144);
    EXPECT_EQ(scaled.width, 45);
    EXPECT_EQ(scaled.rows, ScaleSkinPicture(LoadSkinPicture(file.Path()), 144)->rows);
    // Painting asks again at every erase: the same pixels, not a new copy.
    const std::uint8_t* pixels = scaled.rows.data();
    EXPECT_EQ(process.AtDpi(144).rows.data(), pixels);
    EXPECT_EQ(process.AtDpi(192).width, 60);
    EXPECT_EQ(process.AtDpi(96).width, 30);

    process.Release();
    EXPECT_FALSE(process.Loaded());
    EXPECT_TRUE(process.AtDpi(144).rows.empty());
}

}  // namespace
