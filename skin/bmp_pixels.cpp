#include "skin/bmp_pixels.h"

#include <cstring>

#include "base/byte_reader.h"

namespace {

// Word packing truncates: no rounding, no dithering.
std::uint16_t Pack555(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<std::uint16_t>(((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3));
}

std::uint16_t Pack565(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<std::uint16_t>(((red >> 3) << 11) | ((green >> 2) << 5) | (blue >> 3));
}

}  // namespace

int StorageBits(StorageFormat format) {
    static constexpr int kBits[] = {0, 1, 2, 4, 8, 16, 16, 24, 24, 32, 32};
    if (format < FormatNative || format > Format32B)
        return 0;
    return kBits[format];
}

bool CanPackIndices(StorageFormat format) {
    switch (format) {
        case FormatIndex4:
        case FormatIndex8:
        case FormatRgb555:
        case FormatRgb565:
        case FormatRgb24:
        case FormatBgr24:
            return true;
        default:
            return false;
    }
}

bool CanPackBgr(StorageFormat format) {
    switch (format) {
        case FormatRgb555:
        case FormatRgb565:
        case FormatRgb24:
        case FormatBgr24:
            return true;
        default:
            return false;
    }
}

void UnpackIndexRows(const std::uint8_t* source, std::size_t sourceRowSize, int bitsPerPixel,
                     std::int32_t width, std::int32_t rows, std::uint8_t* indices) {
    for (std::int32_t row = 0; row < rows; ++row, source += sourceRowSize, indices += width) {
        switch (bitsPerPixel) {
            case 1:
                for (std::int32_t x = 0; x < width; ++x) {
                    indices[x] = (source[x / 8] >> (7 - x % 8)) & 1;
                }
                break;
            case 4:
                // For an odd width the last pixel is the high nibble of the row's last used byte.
                for (std::int32_t x = 0; x < width; ++x) {
                    indices[x] = x % 2 == 0 ? source[x / 2] >> 4 : source[x / 2] & 0x0F;
                }
                break;
            default:
                std::memcpy(indices, source, static_cast<std::size_t>(width));
                break;
        }
    }
}

PixelTable MakePixelTable(const ColourTable& colours, StorageFormat format) {
    PixelTable table;
    for (std::size_t index = 0; index < colours.size(); ++index) {
        const Rgb& c = colours[index];
        std::array<std::uint8_t, 4>& pixel = table.pixels[index];
        switch (format) {
            case FormatRgb555:
                ByteWriter(pixel.data(), pixel.size()).U16(Pack555(c.red, c.green, c.blue));
                table.bytesPerPixel = 2;
                break;
            case FormatRgb565:
                ByteWriter(pixel.data(), pixel.size()).U16(Pack565(c.red, c.green, c.blue));
                table.bytesPerPixel = 2;
                break;
            case FormatRgb24:
                pixel = {c.red, c.green, c.blue, 0};
                table.bytesPerPixel = 3;
                break;
            case FormatBgr24:
                pixel = {c.blue, c.green, c.red, 0};
                table.bytesPerPixel = 3;
                break;
            default:
                break;  // the index formats need no table
        }
    }
    return table;
}

void PackIndexRow(const std::uint8_t* indices, std::int32_t width, StorageFormat format,
                  const PixelTable& table, std::uint8_t* out) {
    switch (format) {
        case FormatIndex4:
            for (std::int32_t x = 0; x + 1 < width; x += 2) {
                *out++ = static_cast<std::uint8_t>((indices[x] << 4) | (indices[x + 1] & 0x0F));
            }
            // An odd width leaves the last index alone in the high nibble, the low nibble 0.
            if (width % 2 != 0)
                *out = static_cast<std::uint8_t>(indices[width - 1] << 4);
            return;
        case FormatIndex8:
            std::memcpy(out, indices, static_cast<std::size_t>(width));
            return;
        default:
            break;
    }
    if (table.bytesPerPixel == 2) {
        for (std::int32_t x = 0; x < width; ++x, out += 2)
            std::memcpy(out, table.pixels[indices[x]].data(), 2);
    } else if (table.bytesPerPixel == 3 && width > 0) {
        // Every pixel but the last is copied as a whole entry of four bytes: its spare byte lands
        // on the next pixel's first byte, which that pixel then overwrites. The last pixel ends
        // the row: only its own three bytes go there. Four pixels a turn, so that the loop's own
        // counting costs little beside the copies.
        const std::int32_t last = width - 1;
        std::int32_t x = 0;
        for (; x + 4 <= last; x += 4, out += 12) {
            std::memcpy(out, table.pixels[indices[x]].data(), 4);
            std::memcpy(out + 3, table.pixels[indices[x + 1]].data(), 4);
            std::memcpy(out + 6, table.pixels[indices[x + 2]].data(), 4);
            std::memcpy(out + 9, table.pixels[indices[x + 3]].data(), 4);
        }
        for (; x < last; ++x, out += 3)
            std::memcpy(out, table.pixels[indices[x]].data(), 4);
        std::memcpy(out, table.pixels[indices[last]].data(), 3);
    }
}

void PackBgrRow(const std::uint8_t* bgr, std::int32_t width, StorageFormat format,
                std::uint8_t* out) {
    // The output row was sized by the load's plan; its words are stored without a check each.
    switch (format) {
        case FormatRgb555:
            for (std::int32_t x = 0; x < width; ++x, bgr += 3, out += 2) {
                StoreLittleEndian(out, Pack555(bgr[2], bgr[1], bgr[0]), 2);
            }
            break;
        case FormatRgb565:
            for (std::int32_t x = 0; x < width; ++x, bgr += 3, out += 2) {
                StoreLittleEndian(out, Pack565(bgr[2], bgr[1], bgr[0]), 2);
            }
            break;
        case FormatRgb24:
            for (std::int32_t x = 0; x < width; ++x, bgr += 3, out += 3) {
                out[0] = bgr[2];
                out[1] = bgr[1];
                out[2] = bgr[0];
            }
            break;
        case FormatBgr24:
            std::memcpy(out, bgr, static_cast<std::size_t>(width) * 3);
            break;
        default:
            break;  // refused before any row is read
    }
}
