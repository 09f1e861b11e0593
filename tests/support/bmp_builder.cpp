#include "support/bmp_builder.h"

#include "base/byte_reader.h"

std::size_t SourceRowSize(int bitsPerPixel, int width) {
    return (static_cast<std::size_t>(bitsPerPixel) * static_cast<std::size_t>(width) + 31) / 32 * 4;
}

std::vector<std::uint8_t> BuildBmp(const BmpFile& file) {
    const std::uint32_t tableBytes = static_cast<std::uint32_t>(file.palette.size() * 4);
    const std::uint32_t dataOffset =
        file.dataOffset != 0 ? file.dataOffset
                             : 14 + 40 + tableBytes + static_cast<std::uint32_t>(file.gap.size());
    const std::uint32_t fileSize = dataOffset + static_cast<std::uint32_t>(file.rows.size());

    std::vector<std::uint8_t> out(14 + 40 + tableBytes);
    ByteWriter writer(out.data(), out.size());
    writer.Bytes("BM", 2);  // file header
    writer.U32(fileSize);
    writer.U32(0);  // two reserved words
    writer.U32(dataOffset);

    writer.U32(file.headerSize);  // bitmap header
    writer.I32(file.width);
    writer.I32(file.height);
    writer.U16(file.planes);
    writer.U16(file.bitsPerPixel);
    writer.U32(file.compression);
    writer.U32(static_cast<std::uint32_t>(file.rows.size()));  // image size
    writer.U32(2835);                                          // 72 DPI, horizontal
    writer.U32(2835);                                          // and vertical
    writer.U32(file.coloursUsed);
    writer.U32(0);  // important colours

    // 0xRRGGBB stored little-endian is blue, green, red and the reserved byte.
    for (std::uint32_t rgb : file.palette)
        writer.U32(rgb & 0xFFFFFF);
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
