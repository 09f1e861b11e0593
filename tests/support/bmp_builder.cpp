#include "support/bmp_builder.h"

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

}  // namespace

std::size_t SourceRowSize(int bitsPerPixel, int width) {
    return (static_cast<std::size_t>(bitsPerPixel) * static_cast<std::size_t>(width) + 31) / 32 * 4;
}

std::vector<std::uint8_t> BuildBmp(const BmpFile& file) {
    const std::uint32_t tableBytes = static_cast<std::uint32_t>(file.palette.size() * 4);
    const std::uint32_t dataOffset =
        file.dataOffset != 0 ? file.dataOffset
                             : 14 + 40 + tableBytes + static_cast<std::uint32_t>(file.gap.size());
    const std::uint32_t fileSize = dataOffset + static_cast<std::uint32_t>(file.rows.size());

    std::vector<std::uint8_t> out;
    out.push_back('B');  // file header
    out.push_back('M');
    Put32(out, fileSize);
    Put32(out, 0);  // two reserved words
    Put32(out, dataOffset);

    Put32(out, file.headerSize);  // bitmap header
    Put32(out, static_cast<std::uint32_t>(file.width));
    Put32(out, static_cast<std::uint32_t>(file.height));
    Put16(out, file.planes);
    Put16(out, file.bitsPerPixel);
    Put32(out, file.compression);
    Put32(out, static_cast<std::uint32_t>(file.rows.size()));  // image size
    Put32(out, 2835);                                          // 72 DPI, horizontal
    Put32(out, 2835);                                          // and vertical
    Put32(out, file.coloursUsed);
    Put32(out, 0);  // important colours

    for (std::uint32_t rgb : file.palette) {
        out.push_back(static_cast<std::uint8_t>(rgb));        // blue
        out.push_back(static_cast<std::uint8_t>(rgb >> 8));   // green
        out.push_back(static_cast<std::uint8_t>(rgb >> 16));  // red
        out.push_back(0);                                     // reserved
    }
    out.insert(out.end(), file.gap.begin(), file.gap.end());
    out.insert(out.end(), file.rows.begin(), file.rows.end());
    return out;
}

void PatternPixel(std::int32_t x, std::int32_t y, std::uint8_t (&bgr)[3]) {
    bgr[0] = static_cast<std::uint8_t>(x * 7 + y);
    bgr[1] = static_cast<std::uint8_t>(y * 3);
    bgr[2] = static_cast<std::uint8_t>(x ^ y);
}

BmpFile Patterned24(std::int32_t width, std::int32_t height) {
    BmpFile file;
    file.width = width;
    file.height = height;
    file.bitsPerPixel = 24;
    const std::size_t rowSize = SourceRowSize(24, width);
    file.rows.assign(rowSize * static_cast<std::size_t>(height), 0);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            std::uint8_t bgr[3];
            PatternPixel(x, y, bgr);
            std::uint8_t* at =
                &file.rows[static_cast<std::size_t>(y) * rowSize + 3 * static_cast<std::size_t>(x)];
            at[0] = bgr[0];
            at[1] = bgr[1];
            at[2] = bgr[2];
        }
    }
    return file;
}
