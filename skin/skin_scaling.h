#pragma once
// Skin pictures are drawn for a display of 96 dots per inch. On a display of more, the dialog
// manager lays the templates out larger, with their font; the picture grows by the same factor,
// DPI / 96, so that every window looks like its 96-DPI self, only larger.

#include <optional>

#include "skin/skin_picture.h"

// The DPI the skin pictures are drawn for.
inline constexpr int kSkinPictureDpi = 96;

// `picture` as a display of `dpi` shows it: DPI / 96 times as wide and as high, to the nearest
// whole pixel. At whole multiples of 96 every pixel becomes a square of pixels; in between, each
// pixel is blended from the four pixels of the picture nearest its centre (bilinear), so that the
// skins' gradients stay smooth; enlarged, the picture keeps its own corner pixels.
// Nullopt when the picture is to be drawn as it is: no picture, 96 DPI, a DPI no display reports
// (outside 24 to 960: a mistyped registry value), or a result larger than the BMP loader would
// ever hand out (2 GiB).
std::optional<SkinPicture> ScaleSkinPicture(const SkinPicture& picture, int dpi);
