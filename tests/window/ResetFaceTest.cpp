#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "ImageReader.h"
#include "Shades.h"

namespace zarnik::testing {
namespace {

bool neutral(Rgb c) { return c.r == c.g && c.g == c.b; }

class ResetFace : public ::testing::Test {
protected:
    const BmpFile face = readBmp(committedImage("ResetFaceImage.bmp"));
    const std::set<Rgb> tileShades = shadesOf(readBmp(committedImage("TileStart.bmp")));
};

TEST_F(ResetFace, IsBlackLetteringWithGreyEdgesOnTheTileMosaic) {
    int ink = 0, black = 0, grey = 0;
    std::set<Rgb> ground;
    for (const Rgb& c : face.pixels) {
        if (tileShades.count(c) != 0) {
            ground.insert(c);
        } else {
            ASSERT_TRUE(neutral(c)) << describe(c) << " is neither mosaic nor grey";
            ++ink;
            black += c.r == 0;
            grey += c.r != 0;
        }
    }
    EXPECT_GE(ground.size(), 20u) << "the ground should show the mosaic's range of shades";
    EXPECT_GT(black, 150) << "solid strokes";
    EXPECT_GT(grey, 150) << "smoothed edges";
    // Four bold letters: a fair share of the face, far from all of it.
    EXPECT_GT(ink, 118 * 30 / 8);
    EXPECT_LT(ink, 118 * 30 / 2);
}

TEST_F(ResetFace, LetteringIsCentred) {
    int x0 = face.width, x1 = -1, y0 = face.height, y1 = -1;
    for (int y = 0; y < face.height; ++y) {
        for (int x = 0; x < face.width; ++x) {
            if (tileShades.count(face.at(x, y)) != 0) continue;
            x0 = std::min(x0, x);
            x1 = std::max(x1, x);
            y0 = std::min(y0, y);
            y1 = std::max(y1, y);
        }
    }
    ASSERT_GE(x1, 0) << "no lettering at all";
    EXPECT_LE(std::abs(x0 - (face.width - 1 - x1)), 2) << "ink spans columns " << x0 << " to " << x1;
    EXPECT_LE(std::abs(y0 - (face.height - 1 - y1)), 2) << "ink spans rows " << y0 << " to " << y1;
    // Big enough to read on a 121 x 33 button, yet clear of its frame.
    EXPECT_GE(x1 - x0 + 1, 60);
    EXPECT_GE(y1 - y0 + 1, 18);
    EXPECT_GE(x0, 4);
    EXPECT_GE(y0, 2);
}

// リセット has gaps between its letters: along the word, ink columns fall into
// several separate runs, and the small ッ starts lower than the others.
TEST_F(ResetFace, LettersStandApart) {
    auto columnInk = [&](int x, int& top) {
        int dark = 0;
        top = face.height;
        for (int y = 0; y < face.height; ++y)
            if (face.at(x, y).r < 100 && neutral(face.at(x, y))) {
                ++dark;
                top = std::min(top, y);
            }
        return dark;
    };
    std::vector<int> runTops;  // highest dark pixel of each run of dark columns
    bool inRun = false;
    for (int x = 0; x < face.width; ++x) {
        int top = 0;
        const bool dark = columnInk(x, top) > 0;
        if (dark && !inRun) runTops.push_back(top);
        if (dark) runTops.back() = std::min(runTops.back(), top);
        inRun = dark;
    }
    EXPECT_GE(runTops.size(), 4u);
    EXPECT_LE(runTops.size(), 8u);
    ASSERT_FALSE(runTops.empty());
    const auto [highest, lowest] = std::minmax_element(runTops.begin(), runTops.end());
    EXPECT_GE(*lowest - *highest, 4) << "the small letter should sit lower";
}

}  // namespace
}  // namespace zarnik::testing
