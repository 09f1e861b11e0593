#include "skin/skin_picture.h"

#include <cstring>
#include <memory>

#include "skin/bmp_loader.h"
#include "skin/image_hooks.h"

std::size_t DibRowSize(std::int32_t width) {
    return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}

namespace {

struct HookRelease {
    void operator()(std::uint8_t* pixels) const { imageHooks.release(pixels); }
};

}  // namespace

SkinPicture LoadSkinPicture(const std::string& path) {
    SkinPicture picture;
    PaletteRequest noPalette = NoPaletteWanted();
    const std::unique_ptr<std::uint8_t, HookRelease> pixels(
        LoadBmp(path.c_str(), &noPalette, &picture.width, &picture.height, nullptr, FormatBgr24, 1,
                kLargestScreenSide));
    if (!pixels)
        return SkinPicture{};

    const std::size_t loadedRow = static_cast<std::size_t>(picture.width) * 3;
    const std::size_t dibRow = DibRowSize(picture.width);
    picture.rows.assign(dibRow * static_cast<std::size_t>(picture.height), 0);
    for (std::int32_t y = 0; y < picture.height; ++y) {
        std::memcpy(picture.rows.data() + dibRow * y, pixels.get() + loadedRow * y, loadedRow);
    }
    return picture;
}
