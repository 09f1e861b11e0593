#pragma once
// The picture behind a skinned dialog, held in the layout the display takes it in: the rows of a
// 24-bit device-independent bitmap, bottom row first, blue-green-red, every row padded to a
// 4-byte boundary. The loader's rows are 3 x width bytes with no padding, so a picture whose width
// is not a multiple of 4 is re-laid row by row rather than shown skewed.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct SkinPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> rows;  // empty when no picture was loaded

    bool Loaded() const { return !rows.empty(); }
};

// The bytes of one row of a 24-bit device-independent bitmap of `width` pixels.
std::size_t DibRowSize(std::int32_t width);

// The longest side of the largest screen made, in either orientation (an 8K screen is 7680 x
// 4320). A skin picture is shown at its own size from a dialog's corner: nothing beyond that could
// ever be seen, and a 32-bit process may not find the memory for it.
inline constexpr std::int32_t kLargestScreenSide = 8192;

// Loads a 4, 8 or 24-bit BMP file as a skin picture. A file that cannot be loaded, or a picture
// wider or taller than kLargestScreenSide, gives a picture without rows; the loader's message goes
// to its report hook, and the dialog runs on the plain background.
SkinPicture LoadSkinPicture(const std::string& path);
