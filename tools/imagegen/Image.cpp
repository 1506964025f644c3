#include "Image.h"

#include <stdexcept>

namespace zarnik::imagegen {

Image::Image(int width, int height, Rgb fill) : width_(width), height_(height) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("image size must be positive");
    pixels_.assign(static_cast<std::size_t>(width) * height, fill);
}

Rgb Image::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) throw std::out_of_range("pixel outside image");
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Image::set(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) throw std::out_of_range("pixel outside image");
    pixels_[static_cast<std::size_t>(y) * width_ + x] = colour;
}

}  // namespace zarnik::imagegen
