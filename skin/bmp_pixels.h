#pragma once
// The two conversion stages of the BMP loader: unpacking file rows of colour indices into one
// index per byte, and packing a row into the caller's storage format.

#include <array>
#include <cstddef>
#include <cstdint>

#include "skin/bmp_loader.h"

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// Entries past the file's colour count stay black, so any index has a defined colour.
using ColourTable = std::array<Rgb, 256>;

// The output pixel of every colour index in one storage format: its two or three bytes, as they
// go into the output row, padded to four. Made once per load, so that packing a row of indices
// copies one entry per pixel instead of composing each pixel anew.
struct PixelTable {
    std::array<std::array<std::uint8_t, 4>, 256> pixels{};
    int bytesPerPixel = 0;  // 0 for the index formats, which keep the indices themselves
};

// Bits per pixel of a storage format; 0 for FormatNative and for codes outside 0 to 10.
int StorageBits(StorageFormat format);

// Whether `format` has a pack step for file pixels of the given kind.
bool CanPackIndices(StorageFormat format);
bool CanPackBgr(StorageFormat format);

// Unpacks `rows` file rows of 1, 4 or 8 bits per pixel into `width` indices per row, back to back.
void UnpackIndexRows(const std::uint8_t* source, std::size_t sourceRowSize, int bitsPerPixel,
                     std::int32_t width, std::int32_t rows, std::uint8_t* indices);

// The table for packing indices into `format`.
PixelTable MakePixelTable(const ColourTable& colours, StorageFormat format);

// Packs `width` indices into one output row; `table` is MakePixelTable's for `format`.
void PackIndexRow(const std::uint8_t* indices, std::int32_t width, StorageFormat format,
                  const PixelTable& table, std::uint8_t* out);

// Packs `width` file pixels (blue, green, red) into one output row.
void PackBgrRow(const std::uint8_t* bgr, std::int32_t width, StorageFormat format,
                std::uint8_t* out);
