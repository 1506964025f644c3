#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "ImageReader.h"
#include "Shades.h"

namespace zarnik::testing {
namespace {

constexpr double kMeanTolerance = 3.0;

void expectGreenEqualsBlue(const BmpFile& bmp) {
    for (int y = 0; y < bmp.height; ++y)
        for (int x = 0; x < bmp.width; ++x)
            ASSERT_EQ(bmp.at(x, y).g, bmp.at(x, y).b) << "at " << x << ", " << y;
}

// Shades of one ramp get lighter in every channel together; two shades where
// one channel rises while another falls would show as a colour cast.
void expectOneRamp(const std::set<Rgb>& shades) {
    const std::vector<Rgb> s(shades.begin(), shades.end());  // sorted by red first
    for (std::size_t i = 1; i < s.size(); ++i) {
        EXPECT_GE(s[i].r, s[i - 1].r) << describe(s[i - 1]) << " then " << describe(s[i]);
        EXPECT_GT(s[i].g, s[i - 1].g) << describe(s[i - 1]) << " then " << describe(s[i]);
    }
}

TEST(BackdropImage, IsAFineTealGrainOf25Shades) {
    const BmpFile bmp = readBmp(committedImage("BackdropImage.bmp"));
    const auto shades = shadesOf(bmp);
    EXPECT_EQ(shades.size(), 25u);
    expectGreenEqualsBlue(bmp);
    expectOneRamp(shades);
    EXPECT_EQ(*shades.begin(), (Rgb{102, 153, 153}));
    EXPECT_EQ(*shades.rbegin(), (Rgb{161, 192, 192}));

    const Mean m = meanOf(bmp);
    EXPECT_NEAR(m.r, 131, kMeanTolerance);
    EXPECT_NEAR(m.g, 172, kMeanTolerance);
    // Paper grain, not a gradient or blotches: most neighbours differ.
    EXPECT_GT(changeRate(bmp), 0.6);
}

TEST(TileStart, IsAPaleTealMosaicOf25Shades) {
    const BmpFile bmp = readBmp(committedImage("TileStart.bmp"));
    const auto shades = shadesOf(bmp);
    EXPECT_EQ(shades.size(), 25u);
    expectGreenEqualsBlue(bmp);
    expectOneRamp(shades);
    EXPECT_EQ(*shades.begin(), (Rgb{147, 183, 183}));
    EXPECT_EQ(*shades.rbegin(), (Rgb{189, 211, 211}));

    const Mean m = meanOf(bmp);
    EXPECT_NEAR(m.r, 167, kMeanTolerance);
    EXPECT_NEAR(m.g, 197, kMeanTolerance);
    // Square patches: colour changes along a row, but far less often than
    // between single pixels.
    EXPECT_GT(changeRate(bmp), 0.15);
    EXPECT_LT(changeRate(bmp), 0.5);
}

TEST(TileTurned, IsTheSameMosaicInRed) {
    const BmpFile start = readBmp(committedImage("TileStart.bmp"));
    const BmpFile turned = readBmp(committedImage("TileTurned.bmp"));
    ASSERT_EQ(turned.width, start.width);
    ASSERT_EQ(turned.height, start.height);
    expectGreenEqualsBlue(turned);

    const auto reds = shadesOf(turned);
    EXPECT_EQ(reds.size(), 25u);
    for (const Rgb& c : reds) {
        EXPECT_EQ(c.r, 255) << describe(c);
        EXPECT_GE(c.g, 76) << describe(c);
        EXPECT_LE(c.g, 145) << describe(c);
    }
    const Mean m = meanOf(turned);
    EXPECT_NEAR(m.r, 255, kMeanTolerance);
    EXPECT_NEAR(m.g, 110, kMeanTolerance);

    // Pixel for pixel, every teal shade stands for exactly one red shade.
    std::map<Rgb, Rgb> toRed;
    for (std::size_t i = 0; i < start.pixels.size(); ++i) {
        const auto [it, fresh] = toRed.emplace(start.pixels[i], turned.pixels[i]);
        ASSERT_EQ(it->second, turned.pixels[i])
            << describe(start.pixels[i]) << " turns into two reds at pixel " << i;
    }
    EXPECT_EQ(toRed.size(), 25u);
    EXPECT_EQ(toRed.at({147, 183, 183}), (Rgb{255, 76, 76}));
    // Lighter teal, lighter red (the map is ordered by teal, darkest first).
    for (auto it = std::next(toRed.begin()); it != toRed.end(); ++it)
        EXPECT_GT(it->second.g, std::prev(it)->second.g)
            << describe(std::prev(it)->first) << " and " << describe(it->first);
}

}  // namespace
}  // namespace zarnik::testing
