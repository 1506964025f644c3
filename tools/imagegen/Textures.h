#pragma once

#include <cstdint>
#include <vector>

#include "Image.h"

namespace zarnik::imagegen {

// Every texture uses exactly this many shades of its colour ramp.
inline constexpr int kShades = 25;

// The three colour ramps, shade 0 darkest. Each is strictly increasing in
// every varying channel, so a shade index maps one-for-one onto a colour and
// the teal tile and the red tile can share one index grid.
Rgb backdropShade(int i);
Rgb tealShade(int i);
Rgb redShade(int i);

// Shade indexes for each pixel, row 0 at the top.
struct ShadeGrid {
    int width = 0;
    int height = 0;
    std::vector<int> shades;
    int at(int x, int y) const { return shades[static_cast<std::size_t>(y) * width + x]; }
};

ShadeGrid paperGrain(int width, int height, std::uint32_t seed);
ShadeGrid mosaic(int width, int height, std::uint32_t seed);

Image paint(const ShadeGrid& grid, Rgb (*ramp)(int));

}  // namespace zarnik::imagegen
