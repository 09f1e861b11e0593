#include "skin/bmp_loader.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>

#include "base/byte_reader.h"
#include "skin/bmp_pixels.h"
#include "skin/image_hooks.h"

namespace {

constexpr std::int64_t kMaxBlock = std::numeric_limits<std::int32_t>::max();

// The fields of the 40-byte bitmap header the loader uses. Header size, planes, image size,
// resolutions, important colours and the file header's pixel-data offset are not consulted:
// the pixel rows always follow the colour table directly.
struct BitmapHeader {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
};

BitmapHeader ParseBitmapHeader(const std::uint8_t (&bytes)[40]) {
    ByteReader reader(bytes, sizeof bytes);
    BitmapHeader header;
    reader.Skip(4);  // header size
    header.width = reader.I32();
    header.height = reader.I32();
    reader.Skip(2);  // planes
    header.bitsPerPixel = reader.U16();
    header.compression = reader.U32();
    reader.Skip(12);  // image size, resolutions
    header.coloursUsed = reader.U32();
    return header;
}

// Everything a load needs to know once the headers have passed every check.
struct LoadPlan {
    StorageFormat target;  // the requested format, FormatNative resolved
    int fileBits;
    std::int32_t width;
    std::int32_t rows;
    bool fileBottomUp;  // BMP rows are stored bottom row first unless the height is negative
    std::int32_t colourCount;
    std::int32_t sourceRowSize;
    std::int32_t outputRowSize;
    std::int32_t pixelBytes;
    std::int32_t rowsPerChunk;
};

StorageFormat NativeFormat(int fileBits) {
    switch (fileBits) {
        case 1:
            return FormatIndex1;
        case 4:
            return FormatIndex4;
        case 8:
            return FormatIndex8;
        default:
            return FormatRgb24;  // 24-bit files unpack to red, green, blue
    }
}

// Checks the header against the request and works out the sizes of the load. Every refusal is
// reported here; the caller only has to stop.
std::optional<LoadPlan> PlanLoad(const BitmapHeader& header, StorageFormat format,
                                 std::int32_t largestSide, const char* name) {
    const int fileBits = header.bitsPerPixel;
    if (format < FormatNative || format > Format32B) {
        ReportImageError("BRIM: Unknown storage format\n");
        return std::nullopt;
    }
    const StorageFormat target = format == FormatNative ? NativeFormat(fileBits) : format;
    const int targetBits = format == FormatNative ? fileBits : StorageBits(format);
    if (fileBits >= 16 ? targetBits < 16 : targetBits < fileBits) {
        ReportImageError(
            "BRIM: Cannot reduce the number of BPP required to store an image ('%s' is %d BPP)\n",
            name, fileBits);
        return std::nullopt;
    }
    if (fileBits != 1 && fileBits != 4 && fileBits != 8 && fileBits != 24) {
        ReportImageError("BRIM: File '%s' is %d BPP; only 1, 4, 8 and 24 BPP can be read\n", name,
                         fileBits);
        return std::nullopt;
    }
    if (!(fileBits == 24 ? CanPackBgr(target) : CanPackIndices(target))) {
        ReportImageError("BRIM: Storage format %d cannot be produced\n", static_cast<int>(target));
        return std::nullopt;
    }
    // Run-length data read as rows would be garbage; refusing says what is wrong.
    if (header.compression != 0) {
        ReportImageError(
            "BRIM: File '%s' is compressed (method %u); only uncompressed files "
            "can be read\n",
            name, static_cast<unsigned>(header.compression));
        return std::nullopt;
    }
    if (header.width < 1 || header.height == 0 ||
        header.height == std::numeric_limits<std::int32_t>::min()) {
        ReportImageError("BRIM: File '%s' has no pixels (%d x %d)\n", name, header.width,
                         header.height);
        return std::nullopt;
    }
    std::int32_t colourCount = 0;
    if (fileBits <= 8) {
        const std::uint32_t used = header.coloursUsed;
        if (used > 256) {
            ReportImageError("BRIM: File '%s' has %u colours; at most 256 are possible\n", name,
                             static_cast<unsigned>(used));
            return std::nullopt;
        }
        colourCount = used == 0 ? 1 << fileBits : static_cast<std::int32_t>(used);
    }

    const std::int64_t width = header.width;
    const std::int64_t rows = header.height < 0 ? -std::int64_t{header.height} : header.height;
    if (width > largestSide || rows > largestSide) {
        ReportImageError("BRIM: File '%s' is larger than %d pixels a side (%d x %d)\n", name,
                         largestSide, header.width, header.height);
        return std::nullopt;
    }
    const std::int64_t sourceRowSize = (fileBits * width + 31) / 32 * 4;
    const std::int64_t outputRowSize = (targetBits * width + 7) / 8;
    // Each factor is checked before the products are formed, so none of them can overflow.
    if (sourceRowSize > kMaxBlock || outputRowSize > kMaxBlock ||
        outputRowSize * rows > kMaxBlock || (fileBits <= 8 && width * rows > kMaxBlock)) {
        ReportImageError("BRIM: File '%s' is too large (%d x %d at %d BPP)\n", name, header.width,
                         header.height, targetBits);
        return std::nullopt;
    }
    // A source row longer than the read budget is still read, one row per chunk.
    const std::int64_t rowsPerChunk =
        std::clamp<std::int64_t>(imageHooks.readBudget / sourceRowSize, 1, rows);
    return LoadPlan{target,
                    fileBits,
                    header.width,
                    static_cast<std::int32_t>(rows),
                    header.height > 0,
                    colourCount,
                    static_cast<std::int32_t>(sourceRowSize),
                    static_cast<std::int32_t>(outputRowSize),
                    static_cast<std::int32_t>(outputRowSize * rows),
                    static_cast<std::int32_t>(rowsPerChunk)};
}

// A block from the allocate hook, given back through the release hook unless handed on.
struct HookRelease {
    void operator()(std::uint8_t* block) const { imageHooks.release(block); }
};
using HookBlock = std::unique_ptr<std::uint8_t, HookRelease>;

HookBlock Allocate(std::int64_t size, const char* tag) {
    return HookBlock(
        static_cast<std::uint8_t*>(imageHooks.allocate(static_cast<std::int32_t>(size), tag)));
}

// Entries are stored blue, green, red, reserved; a table cut short by the end of the file leaves
// the rest black.
void ReadColourTable(ByteSource& source, std::int32_t count, ColourTable& colours) {
    if (count == 0)
        return;
    std::uint8_t entries[256 * 4] = {};
    source.Read(entries, static_cast<std::size_t>(count) * 4);
    for (std::int32_t i = 0; i < count; ++i) {
        colours[i] = {entries[4 * i + 2], entries[4 * i + 1], entries[4 * i]};
    }
}

// Reads up to `size` bytes; what the file no longer holds comes out as zero bytes.
void ReadOrZero(ByteSource& source, std::uint8_t* into, std::size_t size) {
    const std::size_t got = source.Read(into, size);
    if (got < size)
        std::memset(into + got, 0, size - got);
}

// Reads the pixel rows chunk by chunk into `pixels`, unpacking and packing each chunk.
bool ReadRows(ByteSource& source, const LoadPlan& plan, const ColourTable& colours, bool bottomUp,
              std::uint8_t* pixels) {
    const bool sameOrder = plan.fileBottomUp == bottomUp;
    const std::ptrdiff_t step =
        sameOrder ? plan.outputRowSize : -std::ptrdiff_t{plan.outputRowSize};
    std::uint8_t* destination =
        sameOrder ? pixels : pixels + std::ptrdiff_t{plan.rows - 1} * plan.outputRowSize;

    // 24-bit rows whose file layout already is the output layout go straight into the buffer, in
    // one read: no read buffer is needed, so the budget has nothing to bound, and one large read
    // runs at twice the speed of many chunk-sized ones.
    if (plan.fileBits == 24 && plan.target == FormatBgr24 &&
        plan.sourceRowSize == plan.outputRowSize && sameOrder) {
        ReadOrZero(source, pixels, static_cast<std::size_t>(plan.pixelBytes));
        return true;
    }

    HookBlock readBuffer =
        Allocate(std::int64_t{plan.rowsPerChunk} * plan.sourceRowSize, kTagReadBuffer);
    if (!readBuffer) {
        ReportImageError("BRIM: Out of memory (%d bytes)\n",
                         plan.rowsPerChunk * plan.sourceRowSize);
        return false;
    }
    HookBlock indices;
    PixelTable table;
    if (plan.fileBits <= 8) {
        table = MakePixelTable(colours, plan.target);
        indices = Allocate(std::int64_t{plan.width} * plan.rowsPerChunk, kTagConversionBuffer);
        if (!indices) {
            ReportImageError("BRIM: Out of memory for conversion buffer\n");
            return false;
        }
    }
    for (std::int32_t done = 0; done < plan.rows; done += plan.rowsPerChunk) {
        const std::int32_t n = std::min(plan.rowsPerChunk, plan.rows - done);
        ReadOrZero(source, readBuffer.get(), static_cast<std::size_t>(n) * plan.sourceRowSize);
        if (plan.fileBits <= 8) {
            UnpackIndexRows(readBuffer.get(), plan.sourceRowSize, plan.fileBits, plan.width, n,
                            indices.get());
        }
        for (std::int32_t row = 0; row < n; ++row, destination += step) {
            if (plan.fileBits <= 8) {
                PackIndexRow(indices.get() + std::ptrdiff_t{row} * plan.width, plan.width,
                             plan.target, table, destination);
            } else {
                PackBgrRow(readBuffer.get() + std::ptrdiff_t{row} * plan.sourceRowSize, plan.width,
                           plan.target, destination);
            }
        }
    }
    return true;
}

void ServePalette(PaletteRequest* slot, const ColourTable& colours, std::int32_t count) {
    if (slot == nullptr || *slot == NoPaletteWanted() || count <= 0)
        return;
    std::uint8_t* out = *slot;
    if (out == nullptr) {
        out = static_cast<std::uint8_t*>(imageHooks.allocate(count * 3, kTagPalette));
        if (out == nullptr) {
            ReportImageError("BRIM: Out of memory (%d bytes)\n", count * 3);
            return;
        }
        *slot = out;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        out[3 * i] = colours[i].red;
        out[3 * i + 1] = colours[i].green;
        out[3 * i + 2] = colours[i].blue;
    }
}

}  // namespace

std::uint8_t* LoadBmpFrom(ByteSource& source, const char* name, PaletteRequest* paletteSlot,
                          std::int32_t* width, std::int32_t* height, std::int32_t* depth,
                          StorageFormat format, int bottomUp, std::int32_t largestSide) {
    std::uint8_t fileHeader[14];
    std::uint8_t bitmapHeader[40];
    // A file too short to hold both headers is no BMP file either.
    if (source.Read(fileHeader, sizeof fileHeader) != sizeof fileHeader || fileHeader[0] != 'B' ||
        fileHeader[1] != 'M' ||
        source.Read(bitmapHeader, sizeof bitmapHeader) != sizeof bitmapHeader) {
        ReportImageError("BRIM: File '%s' does not appear to be a valid BMP file\n", name);
        return nullptr;
    }
    const BitmapHeader header = ParseBitmapHeader(bitmapHeader);
    if (width != nullptr)
        *width = header.width;
    if (height != nullptr) {
        const bool topDown =
            header.height < 0 && header.height != std::numeric_limits<std::int32_t>::min();
        *height = topDown ? -header.height : header.height;
    }
    if (depth != nullptr)
        *depth = header.bitsPerPixel;

    const std::optional<LoadPlan> plan = PlanLoad(header, format, largestSide, name);
    if (!plan)
        return nullptr;

    ColourTable colours{};
    ReadColourTable(source, plan->colourCount, colours);

    // Missing rows come out as zero bytes, but a header may not promise much more than the file
    // holds: at least half of the pixel data must be there, so a tiny file cannot make the
    // loader allocate a huge picture.
    const std::uint64_t declared = std::uint64_t(plan->sourceRowSize) * std::uint64_t(plan->rows);
    if (source.Remaining() < declared - declared / 2) {
        ReportImageError(
            "BRIM: File '%s' is truncated: it lacks more than half of its %llu bytes "
            "of pixel data\n",
            name, static_cast<unsigned long long>(declared));
        return nullptr;
    }

    HookBlock pixels = Allocate(plan->pixelBytes, kTagPixelData);
    if (!pixels) {
        ReportImageError("BRIM: Out of memory (%d bytes)\n", plan->pixelBytes);
        return nullptr;
    }
    if (!ReadRows(source, *plan, colours, bottomUp != 0, pixels.get()))
        return nullptr;
    ServePalette(paletteSlot, colours, plan->colourCount);
    return pixels.release();
}

std::uint8_t* LoadBmp(const char* path, PaletteRequest* paletteSlot, std::int32_t* width,
                      std::int32_t* height, std::int32_t* depth, StorageFormat format, int bottomUp,
                      std::int32_t largestSide) {
    FileByteSource file(path);
    if (!file.IsOpen()) {
        ReportImageError("BRIM: Could not open file '%s'\n", path);
        return nullptr;
    }
    return LoadBmpFrom(file, path, paletteSlot, width, height, depth, format, bottomUp,
                       largestSide);
}
