#pragma once
// Reads a Windows BMP file (40-byte bitmap header, 1, 4, 8 or 24 bits per pixel, uncompressed)
// into a newly allocated pixel buffer in one of the storage formats below, and can hand back the
// colour table of a paletted file. Memory and messages go through `imageHooks`; every message
// begins with "BRIM:".

#include <cstdint>

#include "base/byte_source.h"

// The caller's choice of output pixel layout. Rows are (bits per pixel x width + 7) / 8 bytes,
// back to back, without rounding to any word size.
enum StorageFormat : std::int32_t {
    FormatNative = 0,  // the file's own depth: indices for 4 and 8 bits, red-green-blue for 24
    FormatIndex1 = 1,  // no conversion exists; refused
    FormatIndex2 = 2,  // no conversion exists; refused
    FormatIndex4 = 3,  // two colour indices per byte, the left pixel in the high nibble
    FormatIndex8 = 4,  // one colour index per byte
    FormatRgb555 = 5,  // 16-bit little-endian words: 0, red 14-10, green 9-5, blue 4-0
    FormatRgb565 = 6,  // 16-bit little-endian words: red 15-11, green 10-5, blue 4-0
    FormatRgb24 = 7,   // red, green, blue bytes
    FormatBgr24 = 8,   // blue, green, red bytes: the file's own order
    Format32A = 9,     // no conversion exists; refused
    Format32B = 10,    // no conversion exists; refused
};

// What the caller wants of the colour table: the palette slot is a pointer-sized cell whose value
// on entry asks for one of three things.
//   nullptr            the loader allocates colour count x 3 bytes ("BMP palette"), copies the
//                      palette there and stores the address; the caller releases it.
//   NoPaletteWanted()  nothing is allocated or copied.
//   any other address  a caller buffer of at least colour count x 3 bytes (768 always suffice).
// Entries are red, green, blue. The slot is served only for files of at most 8 bits per pixel.
using PaletteRequest = std::uint8_t*;
inline PaletteRequest NoPaletteWanted() {
    return reinterpret_cast<PaletteRequest>(~std::uintptr_t{0});
}

// No limit on a picture's sides but the loader's own (no block beyond 2 GiB).
inline constexpr std::int32_t kAnyPictureSide = 0x7FFFFFFF;

// Loads `path` (opened with the C library in mode "rb"). Width, height and depth, where given,
// receive the file's values as soon as the bitmap header has been read, so a load refused later
// has still written them; a top-down file reports its height as a positive row count.
// `bottomUp` nonzero puts the picture's bottom row first in the buffer, as in the file.
// A picture wider or taller than `largestSide` pixels is refused before anything is allocated.
// Returns the pixel buffer, owned by the caller and freed with imageHooks.release, or nullptr
// after a message through the report hook.
std::uint8_t* LoadBmp(const char* path, PaletteRequest* paletteSlot, std::int32_t* width,
                      std::int32_t* height, std::int32_t* depth, StorageFormat format, int bottomUp,
                      std::int32_t largestSide = kAnyPictureSide);

// The same load from any byte source; `name` stands for the file in messages.
std::uint8_t* LoadBmpFrom(ByteSource& source, const char* name, PaletteRequest* paletteSlot,
                          std::int32_t* width, std::int32_t* height, std::int32_t* depth,
                          StorageFormat format, int bottomUp,
                          std::int32_t largestSide = kAnyPictureSide);
