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

// Bits per pixel of a storage format; 0 for FormatNative and for codes outside 0 to 10.
int StorageBits(StorageFormat format);

// Whether `format` has a pack step for file pixels of the given kind.
bool CanPackIndices(StorageFormat format);
bool CanPackBgr(StorageFormat format);

// Unpacks `rows` file rows of 1, 4 or 8 bits per pixel into `width` indices per row, back to back.
void UnpackIndexRows(const std::uint8_t* source, std::size_t sourceRowSize, int bitsPerPixel,
                     std::int32_t width, std::int32_t rows, std::uint8_t* indices);

// Packs `width` indices into one output row.
void PackIndexRow(const std::uint8_t* indices, std::int32_t width, StorageFormat format,
                  const ColourTable& colours, std::uint8_t* out);

// Packs `width` file pixels (blue, green, red) into one output row.
void PackBgrRow(const std::uint8_t* bgr, std::int32_t width, StorageFormat format,
                std::uint8_t* out);
