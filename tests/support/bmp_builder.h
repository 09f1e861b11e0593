#pragma once
// Builds BMP files byte by byte for the tests, the fuzz corpus and the benchmarks. Every field of
// the two headers can be set, so that tests can write exactly the file a case needs, hostile ones
// included.

#include <cstdint>
#include <vector>

struct BmpFile {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
    std::uint16_t planes = 1;
    std::uint32_t headerSize = 40;
    // Colour table entries as red, green, blue; written as blue, green, red, reserved.
    std::vector<std::uint32_t> palette;  // 0xRRGGBB
    // Bytes between the colour table and the pixel rows; the data offset field counts them.
    std::vector<std::uint8_t> gap;
    // The pixel rows exactly as stored in the file (rows padded to 4 bytes by the test).
    std::vector<std::uint8_t> rows;
    // Overrides the computed pixel-data offset field when not zero.
    std::uint32_t dataOffset = 0;
};

std::vector<std::uint8_t> BuildBmp(const BmpFile& file);

// The size of one stored row: ((bits x width + 31) / 32) x 4.
std::size_t SourceRowSize(int bitsPerPixel, int width);

// A 24-bit picture whose pixel (x, y) of the file's row order has a colour derived from x and y,
// with each row padded to 4 bytes. Used where the content only has to be recognisable.
BmpFile Patterned24(std::int32_t width, std::int32_t height);

// The colour that Patterned24 stores at column x of stored row y, as blue, green, red.
void PatternPixel(std::int32_t x, std::int32_t y, std::uint8_t (&bgr)[3]);
