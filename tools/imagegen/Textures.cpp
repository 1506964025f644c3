#include "Textures.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "Random.h"

namespace zarnik::imagegen {

namespace {

// Spreads `span` evenly over the shade range, rounding to the nearest level.
std::uint8_t ramp(int base, int span, int i) {
    if (i < 0 || i >= kShades) throw std::out_of_range("shade index out of range");
    return static_cast<std::uint8_t>(base + (span * i + (kShades - 1) / 2) / (kShades - 1));
}

constexpr int kPatch = 3;  // side of one mosaic patch in pixels

}  // namespace

Rgb backdropShade(int i) {
    const auto gb = ramp(153, 39, i);
    return {ramp(102, 59, i), gb, gb};
}

Rgb tealShade(int i) {
    const auto gb = ramp(183, 28, i);
    return {ramp(147, 42, i), gb, gb};
}

Rgb redShade(int i) {
    const auto gb = ramp(76, 69, i);
    return {255, gb, gb};
}

ShadeGrid paperGrain(int width, int height, std::uint32_t seed) {
    Random random(seed);
    // Faint clouding: a coarse lattice of offsets, -2 to +2 shades, blended
    // bilinearly in integers, gives the grain the mottle of pulp.
    constexpr int kCell = 8;
    const int lw = width / kCell + 2, lh = height / kCell + 2;
    std::vector<int> lattice(static_cast<std::size_t>(lw) * lh);
    for (int& v : lattice) v = random.below(5) - 2;
    auto cloud = [&](int x, int y) {
        const int cx = x / kCell, cy = y / kCell, fx = x % kCell, fy = y % kCell;
        auto l = [&](int i, int j) { return lattice[static_cast<std::size_t>(cy + j) * lw + cx + i]; };
        const int sum = l(0, 0) * (kCell - fx) * (kCell - fy) + l(1, 0) * fx * (kCell - fy) +
                        l(0, 1) * (kCell - fx) * fy + l(1, 1) * fx * fy;
        constexpr int kArea = kCell * kCell;
        return (sum + kArea * 3 + kArea / 2) / kArea - 3;  // round half up, also below zero
    };

    ShadeGrid grid{width, height, {}};
    grid.shades.reserve(static_cast<std::size_t>(width) * height);
    // Four dice per pixel: a bell around the middle shade, so the extremes
    // are rare specks, as in paper, yet a picture this size has them all.
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int v = cloud(x, y);
            for (int d = 0; d < 4; ++d) v += random.below(7);
            grid.shades.push_back(std::clamp(v, 0, kShades - 1));
        }
    }
    return grid;
}

ShadeGrid mosaic(int width, int height, std::uint32_t seed) {
    Random random(seed);
    const int cols = (width + kPatch - 1) / kPatch;
    const int rows = (height + kPatch - 1) / kPatch;
    const int patches = cols * rows;
    if (patches < kShades) throw std::invalid_argument("mosaic too small to show every shade");

    // A shuffled bag that holds every shade equally often, so each one
    // appears even in a small tile and the average sits at the middle shade.
    std::vector<int> bag(patches);
    for (int i = 0; i < patches; ++i) bag[i] = i % kShades;
    for (int i = patches - 1; i > 0; --i) std::swap(bag[i], bag[random.below(i + 1)]);

    ShadeGrid grid{width, height, std::vector<int>(static_cast<std::size_t>(width) * height)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            grid.shades[static_cast<std::size_t>(y) * width + x] = bag[(y / kPatch) * cols + x / kPatch];
    return grid;
}

Image paint(const ShadeGrid& grid, Rgb (*ramp)(int)) {
    Image image(grid.width, grid.height);
    for (int y = 0; y < grid.height; ++y)
        for (int x = 0; x < grid.width; ++x) image.set(x, y, ramp(grid.at(x, y)));
    return image;
}

}  // namespace zarnik::imagegen
