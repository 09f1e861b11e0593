#pragma once
// A screenshot saved by the driver, read back with the project's own BMP loader.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace e2e {

struct Colour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    bool operator==(const Colour&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Colour& colour);

class Picture {
  public:
    // Nullopt when the file is not a BMP the loader reads.
    static std::optional<Picture> Load(const std::string& path);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Row y counts from the top, as in client coordinates.
    Colour Pixel(int x, int y) const;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> rgb_;  // top row first, red, green, blue
};

}  // namespace e2e
