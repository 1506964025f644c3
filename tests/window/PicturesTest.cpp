// The four committed bitmaps: their format, their shades and the lettering.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

#include "ImageReader.h"

namespace zarnik::testing {
namespace {

TEST(BitmapFormat, EachIsA24BitBottomUpBitmapOfItsSize) {
    struct Expected { const char* name; std::uint32_t width, height; };
    for (auto [name, w, h] : {Expected{"BackdropImage.bmp", 321, 376}, Expected{"TileStart.bmp", 53, 53},
                              Expected{"TileTurned.bmp", 53, 53}, Expected{"ResetFaceImage.bmp", 118, 30}}) {
        SCOPED_TRACE(name);
        const Bytes b = readBytes(committed(name));
        const std::uint32_t rowBytes = stride(24 * w), image = rowBytes * h;
        EXPECT_EQ(b.size(), 54 + image);
        // "BM", file size, reserved, pixel offset; info header size, width,
        // height (positive: bottom-up), planes, bits, BI_RGB, image size, 96
        // DPI both ways, no palette.
        EXPECT_EQ((std::vector{b.u16(0), b.u32(2), b.u32(6), b.u32(10), b.u32(14), b.u32(18), b.u32(22), b.u16(26),
                               b.u16(28), b.u32(30), b.u32(34), b.u32(38), b.u32(42), b.u32(46), b.u32(50)}),
                  (std::vector<std::uint32_t>{0x4D42, 54 + image, 0, 54, 40, w, h, 1, 24, 0, image, 3780, 3780, 0, 0}));
        for (std::uint32_t row = 0; row < h; ++row)
            for (std::uint32_t p = 3 * w; p < rowBytes; ++p) ASSERT_EQ(b.u8(54 + row * rowBytes + p), 0u) << row;
    }
}

TEST(Texture, EachIsOneRampOf25ShadesWithGreenEqualToBlue) {
    struct Expected { const char* name; Rgb darkest, lightest; double r, g, minChange, maxChange; };
    // Changes between neighbours along a row: paper grain changes at most
    // pixels, the mosaic's square patches far less often.
    for (const Expected& e : {Expected{"BackdropImage.bmp", {102, 153, 153}, {161, 192, 192}, 131, 172, 0.6, 1},
                              Expected{"TileStart.bmp", {147, 183, 183}, {189, 211, 211}, 167, 197, 0.15, 0.5},
                              Expected{"TileTurned.bmp", {255, 76, 76}, {255, 145, 145}, 255, 110, 0.15, 0.5}}) {
        SCOPED_TRACE(e.name);
        const Bmp bmp = readBmp(e.name);
        const std::set<Rgb> shades(bmp.pixels.begin(), bmp.pixels.end());
        double r = 0, g = 0, changes = 0;
        for (int y = 0; y < bmp.height; ++y)
            for (int x = 0; x < bmp.width; ++x) {
                const Rgb c = bmp.at(x, y);
                ASSERT_EQ(c.g, c.b) << "at " << x << ", " << y;
                r += c.r;
                g += c.g;
                changes += x > 0 && c != bmp.at(x - 1, y);
            }
        EXPECT_EQ(shades.size(), 25u);
        EXPECT_EQ(*shades.begin(), e.darkest);
        EXPECT_EQ(*shades.rbegin(), e.lightest);
        // Ordered by red, green rises too: no shade casts another colour.
        for (auto it = std::next(shades.begin()); it != shades.end(); ++it)
            EXPECT_GT(it->g, std::prev(it)->g) << *std::prev(it) << " then " << *it;
        const double n = static_cast<double>(bmp.pixels.size());
        const double rate = changes / ((bmp.width - 1) * bmp.height);
        EXPECT_NEAR(r / n, e.r, 3);
        EXPECT_NEAR(g / n, e.g, 3);
        EXPECT_TRUE(rate > e.minChange && rate < e.maxChange) << rate;
    }
}

TEST(Texture, TileTurnedIsTheSameMosaicInRed) {
    const Bmp start = readBmp("TileStart.bmp"), turned = readBmp("TileTurned.bmp");
    ASSERT_EQ(start.pixels.size(), turned.pixels.size());
    std::map<Rgb, Rgb> toRed;  // ordered by teal, darkest first
    for (std::size_t i = 0; i < start.pixels.size(); ++i) {
        const auto [it, fresh] = toRed.emplace(start.pixels[i], turned.pixels[i]);
        ASSERT_EQ(it->second, turned.pixels[i]) << start.pixels[i] << " turns into two reds at pixel " << i;
    }
    ASSERT_EQ(toRed.size(), 25u);
    EXPECT_EQ(toRed.begin()->second, (Rgb{255, 76, 76})) << "the darkest teal";
    for (auto it = std::next(toRed.begin()); it != toRed.end(); ++it)
        EXPECT_GT(it->second.g, std::prev(it)->second.g) << "lighter teal, lighter red: " << it->first;
}

// リセット in black with grey edges on the tile mosaic: a fair share of the
// face, centred, readable on its button yet clear of the frame, the letters
// apart in runs of inked columns and the small ッ lower than the rest.
TEST(ResetFace, IsCentredBlackLetteringWithGreyEdgesOnTheMosaic) {
    const Bmp face = readBmp("ResetFaceImage.bmp"), tile = readBmp("TileStart.bmp");
    const std::set<Rgb> teal(tile.pixels.begin(), tile.pixels.end());
    std::set<Rgb> ground;
    std::vector<int> runTops;  // highest dark pixel of each run of dark columns
    bool inRun = false;
    int black = 0, grey = 0, x0 = face.width, x1 = -1, y0 = face.height, y1 = -1;
    for (int x = 0; x < face.width; ++x) {
        int top = face.height;
        for (int y = 0; y < face.height; ++y) {
            const Rgb c = face.at(x, y);
            if (teal.contains(c)) {
                ground.insert(c);
                continue;
            }
            ASSERT_TRUE(c.r == c.g && c.g == c.b) << c << " is neither mosaic nor grey";
            ++(c.r == 0 ? black : grey);
            if (c.r < 100) top = std::min(top, y);
            x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
        }
        const bool dark = top < face.height;
        if (dark && !inRun) runTops.push_back(top);
        if (dark) runTops.back() = std::min(runTops.back(), top);
        inRun = dark;
    }
    EXPECT_GE(ground.size(), 20u);
    EXPECT_GT(black, 150) << "solid strokes";
    EXPECT_GT(grey, 150) << "smoothed edges";
    EXPECT_GT(black + grey, 118 * 30 / 8);
    EXPECT_LT(black + grey, 118 * 30 / 2);
    EXPECT_LE(std::abs(x0 - (face.width - 1 - x1)), 2) << "ink spans columns " << x0 << " to " << x1;
    EXPECT_LE(std::abs(y0 - (face.height - 1 - y1)), 2) << "ink spans rows " << y0 << " to " << y1;
    EXPECT_TRUE(x1 - x0 + 1 >= 60 && y1 - y0 + 1 >= 18) << "too small to read";
    EXPECT_TRUE(x0 >= 4 && y0 >= 2) << "too close to the frame";
    ASSERT_GE(runTops.size(), 4u);
    EXPECT_LE(runTops.size(), 8u);
    const auto [highest, lowest] = std::minmax_element(runTops.begin(), runTops.end());
    EXPECT_GE(*lowest - *highest, 4) << "the small letter should sit lower";
}

}  // namespace
}  // namespace zarnik::testing
