#pragma once

#include <filesystem>
#include <map>
#include <set>

#include "ImageReader.h"

namespace zarnik::testing {

inline std::filesystem::path committedImage(const char* name) {
    return std::filesystem::path(ZARNIK_IMAGES_DIR) / name;
}

inline std::set<Rgb> shadesOf(const BmpFile& bmp) { return {bmp.pixels.begin(), bmp.pixels.end()}; }

struct Mean {
    double r = 0, g = 0, b = 0;
};

inline Mean meanOf(const BmpFile& bmp) {
    Mean m;
    for (const Rgb& c : bmp.pixels) {
        m.r += c.r;
        m.g += c.g;
        m.b += c.b;
    }
    const double n = static_cast<double>(bmp.pixels.size());
    return {m.r / n, m.g / n, m.b / n};
}

// Share of horizontally adjacent pixel pairs whose colours differ.
inline double changeRate(const BmpFile& bmp) {
    int changes = 0;
    for (int y = 0; y < bmp.height; ++y)
        for (int x = 1; x < bmp.width; ++x) changes += bmp.at(x, y) != bmp.at(x - 1, y);
    return static_cast<double>(changes) / ((bmp.width - 1) * bmp.height);
}

}  // namespace zarnik::testing
