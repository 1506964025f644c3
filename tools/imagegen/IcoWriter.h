#pragma once

#include <cstdint>
#include <vector>

namespace zarnik::imagegen {

// The sixteen colours of the standard Windows VGA palette, in palette order,
// eight a line.
// clang-format off
enum VgaColour : std::uint8_t {
    Black, Maroon, Green, Olive, Navy, Purple, Teal, Silver,
    Grey, Red, Lime, Yellow, Blue, Fuchsia, Aqua, White,
};
// clang-format on

// One 16-colour icon image, row 0 at the top.
struct IconImage {
    int size = 0;                       // square: size x size pixels
    std::vector<std::uint8_t> colours;  // VgaColour per pixel
    std::vector<bool> transparent;      // the AND mask, per pixel
};

// An .ico file holding the images in the given order, each as 4 bits per
// pixel with the VGA palette and a 1-bit AND mask.
std::vector<std::uint8_t> encodeIco(const std::vector<IconImage>& images);

}  // namespace zarnik::imagegen
