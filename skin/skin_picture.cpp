#include "skin/skin_picture.h"

#include <cstring>

#include "skin/bmp_loader.h"
#include "skin/image_hooks.h"

std::size_t DibRowSize(std::int32_t width) {
    return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}

SkinPicture LoadSkinPicture(const std::string& path) {
    SkinPicture picture;
    PaletteRequest noPalette = NoPaletteWanted();
    std::uint8_t* pixels =
        LoadBmp(path.c_str(), &noPalette, &picture.width, &picture.height, nullptr, FormatBgr24, 1);
    if (pixels == nullptr)
        return SkinPicture{};

    const std::size_t loadedRow = static_cast<std::size_t>(picture.width) * 3;
    const std::size_t dibRow = DibRowSize(picture.width);
    picture.rows.assign(dibRow * static_cast<std::size_t>(picture.height), 0);
    for (std::int32_t y = 0; y < picture.height; ++y) {
        std::memcpy(picture.rows.data() + dibRow * y, pixels + loadedRow * y, loadedRow);
    }
    imageHooks.release(pixels);
    return picture;
}
