#include "e2e/support/picture.h"

#include <cassert>

#include "skin/bmp_loader.h"
#include "skin/image_hooks.h"

namespace e2e {

std::ostream& operator<<(std::ostream& out, const Colour& colour) {
    return out << "(" << int{colour.red} << ", " << int{colour.green} << ", " << int{colour.blue}
               << ")";
}

std::optional<Picture> Picture::Load(const std::string& path) {
    PaletteRequest palette = NoPaletteWanted();
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t depth = 0;
    std::uint8_t* pixels = LoadBmp(path.c_str(), &palette, &width, &height, &depth, FormatRgb24,
                                   /*bottomUp=*/0);
    if (pixels == nullptr)
        return std::nullopt;
    Picture picture;
    picture.width_ = width;
    picture.height_ = height;
    picture.rgb_.assign(pixels, pixels + std::size_t{3} * width * height);
    imageHooks.release(pixels);
    return picture;
}

Colour Picture::Pixel(int x, int y) const {
    assert(x >= 0 && x < width_ && y >= 0 && y < height_);
    const std::size_t at = (static_cast<std::size_t>(y) * width_ + x) * 3;
    return {rgb_[at], rgb_[at + 1], rgb_[at + 2]};
}

}  // namespace e2e
