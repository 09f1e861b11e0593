#include "skin/skin_scaling.h"

#include <algorithm>
#include <cstdint>
#include <cstddef>
#include <cstring>
#include <limits>
#include <vector>

namespace {

constexpr int kLowestDpi = 24;
constexpr int kHighestDpi = 960;

// Blending weights are in 1/256 of a pixel: whole-number arithmetic, so that the picture comes
// out the same byte for byte on every machine and in every build.
constexpr std::uint32_t kOne = 256;

// Where one pixel of the scaled picture takes its colour from along one axis: source pixel
// `index`, blended with the next one by `next` / 256.
struct Tap {
    std::int32_t index;
    std::uint32_t next;
};

std::vector<Tap> TapsAlong(std::int32_t source, std::int32_t target, int dpi) {
    std::vector<Tap> taps(static_cast<std::size_t>(target));
    const bool whole = dpi % kSkinPictureDpi == 0;
    for (std::int32_t i = 0; i < target; ++i) {
        if (whole) {
            taps[i] = {std::min(i / (dpi / kSkinPictureDpi), source - 1), 0};
            continue;
        }
        // The centre of target pixel i, (i + 0.5) x source / target, less half a pixel: the
        // position between the centres of two source pixels, in 1/256 of a pixel.
        const std::int64_t centre = (2 * std::int64_t{i} + 1) * source * (kOne / 2) / target;
        const std::int64_t position =
            std::clamp<std::int64_t>(centre - kOne / 2, 0, (std::int64_t{source} - 1) * kOne);
        taps[i] = {static_cast<std::int32_t>(position / kOne),
                   static_cast<std::uint32_t>(position % kOne)};
    }
    return taps;
}

// The pixels `length` picture pixels cover on a display of `dpi`, at least one.
std::int64_t ScaledLength(std::int32_t length, int dpi) {
    const std::int64_t scaled =
        (std::int64_t{length} * dpi + kSkinPictureDpi / 2) / kSkinPictureDpi;
    return std::max<std::int64_t>(scaled, 1);
}

}  // namespace

std::optional<SkinPicture> ScaleSkinPicture(const SkinPicture& picture, int dpi) {
    if (!picture.Loaded() || dpi == kSkinPictureDpi || dpi < kLowestDpi || dpi > kHighestDpi)
        return std::nullopt;
    // Sizes are checked in 64 bits first: a 32-bit build must not wrap around.
    const std::int64_t width = ScaledLength(picture.width, dpi);
    const std::int64_t height = ScaledLength(picture.height, dpi);
    constexpr std::int64_t kMostBytes = std::numeric_limits<std::int32_t>::max();
    if (width > kMostBytes / 3 || height > kMostBytes ||
        static_cast<std::int64_t>(DibRowSize(static_cast<std::int32_t>(width))) * height >
            kMostBytes) {
        return std::nullopt;
    }
    SkinPicture scaled;
    scaled.width = static_cast<std::int32_t>(width);
    scaled.height = static_cast<std::int32_t>(height);
    const std::size_t sourceRow = DibRowSize(picture.width);
    const std::size_t targetRow = DibRowSize(scaled.width);
    scaled.rows.assign(targetRow * static_cast<std::size_t>(scaled.height), 0);

    // Bilinear blending is separable: each row of the scaled picture blends its two source rows
    // first, then the blended row along its columns. Both sums stay whole numbers below 2^24.
    const std::vector<Tap> columns = TapsAlong(picture.width, scaled.width, dpi);
    const std::vector<Tap> rows = TapsAlong(picture.height, scaled.height, dpi);
    const std::size_t rowBytes = std::size_t{3} * static_cast<std::size_t>(picture.width);
    std::vector<std::uint32_t> blendedRow(rowBytes);
    for (std::int32_t y = 0; y < scaled.height; ++y) {
        const Tap& row = rows[y];
        std::uint8_t* out = scaled.rows.data() + targetRow * y;
        // Rows of the same taps are the same: at whole multiples, all but the first of each.
        if (y > 0 && row.index == rows[y - 1].index && row.next == rows[y - 1].next) {
            std::memcpy(out, out - targetRow, targetRow);
            continue;
        }
        const std::uint8_t* upper = picture.rows.data() + sourceRow * row.index;
        const std::uint8_t* lower = row.index + 1 < picture.height ? upper + sourceRow : upper;
        for (std::size_t i = 0; i < rowBytes; ++i)
            blendedRow[i] = upper[i] * (kOne - row.next) + lower[i] * row.next;

        for (const Tap& column : columns) {
            const std::uint32_t* here = blendedRow.data() + std::size_t{3} * column.index;
            const std::uint32_t* next = column.index + 1 < picture.width ? here + 3 : here;
            for (int channel = 0; channel < 3; ++channel) {
                const std::uint32_t blended =
                    here[channel] * (kOne - column.next) + next[channel] * column.next;
                *out++ = static_cast<std::uint8_t>((blended + kOne * kOne / 2) / (kOne * kOne));
            }
        }
    }
    return scaled;
}
