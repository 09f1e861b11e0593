// Feeds arbitrary files to the BMP loader. The first byte picks the storage format (including
// codes outside 0 to 10), the second the row order and the palette request; the rest is the file.

#include <cstddef>
#include <cstdint>

#include "skin/bmp_loader.h"
#include "skin/image_hooks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const auto format = static_cast<StorageFormat>(static_cast<int>(data[0] % 13) - 1);
    const int bottomUp = data[1] & 1;
    const int paletteMode = (data[1] >> 1) % 3;

    InstallDefaultImageHooks();
    MemoryByteSource source(data + 2, size - 2);
    std::uint8_t callerPalette[768];
    PaletteRequest slot = paletteMode == 0   ? nullptr
                          : paletteMode == 1 ? NoPaletteWanted()
                                             : callerPalette;
    std::int32_t width = 0, height = 0, depth = 0;
    std::uint8_t* pixels =
        LoadBmpFrom(source, "fuzz.bmp", &slot, &width, &height, &depth, format, bottomUp);
    if (pixels != nullptr) {
        // Touch the first and last byte so that a wrongly sized buffer shows up.
        volatile std::uint8_t first = pixels[0];
        (void)first;
        imageHooks.release(pixels);
    }
    if (paletteMode == 0 && slot != nullptr)
        imageHooks.release(slot);
    return 0;
}
