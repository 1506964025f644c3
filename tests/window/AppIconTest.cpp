#include <gtest/gtest.h>

#include <array>

#include "ImageReader.h"
#include "Shades.h"

namespace zarnik::testing {
namespace {

constexpr Rgb kRed{255, 0, 0}, kWhite{255, 255, 255}, kGrey{128, 128, 128}, kSilver{192, 192, 192};

class AppIcon : public ::testing::Test {
protected:
    const IcoFile ico = readIco(committedImage("AppIcon.ico"));
    const IcoImage& large() const { return ico.images.at(0); }
    const IcoImage& small() const { return ico.images.at(1); }
};

TEST_F(AppIcon, DirectoryHoldsA32AndA16PixelSixteenColourImage) {
    EXPECT_EQ(ico.reserved, 0);
    ASSERT_EQ(ico.images.size(), 2u);
    EXPECT_EQ(large().width, 32);
    EXPECT_EQ(small().width, 16);
    std::uint32_t next = 6 + 16 * 2;  // images follow the directory back to back
    for (const IcoImage& im : ico.images) {
        SCOPED_TRACE(im.width);
        EXPECT_EQ(im.height, im.width);
        EXPECT_EQ(im.colorCount, 16);
        EXPECT_EQ(im.reserved, 0);
        EXPECT_EQ(im.planes, 1);
        EXPECT_EQ(im.bitCount, 4);
        EXPECT_EQ(im.infoPlanes, 1);
        const std::uint32_t rows = (im.width * 4 + 31) / 32 * 4 + (im.width + 31) / 32 * 4;
        EXPECT_EQ(im.sizeImage, rows * im.height);
        EXPECT_EQ(im.bytesInRes, 40 + 64 + rows * im.height);
        EXPECT_EQ(im.offset, next);
        next += im.bytesInRes;
    }
    EXPECT_EQ(ico.fileSize, next);
}

TEST_F(AppIcon, UsesTheStandardVgaPalette) {
    const std::array<Rgb, 16> vga{{{0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0},
                                   {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, kSilver,
                                   kGrey, kRed, {0, 255, 0}, {255, 255, 0},
                                   {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, kWhite}};
    for (const IcoImage& im : ico.images) {
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(im.palette.at(i), vga[i]) << "entry " << i;
        }
    }
}

// Only the square [lo, hi] in both directions is opaque; the transparent rest
// is black in the colour bitmap so it leaves the screen untouched.
void expectOpaqueSquare(const IcoImage& im, int lo, int hi) {
    for (int y = 0; y < im.height; ++y) {
        for (int x = 0; x < im.width; ++x) {
            const bool inside = x >= lo && x <= hi && y >= lo && y <= hi;
            ASSERT_EQ(im.clear(x, y), !inside) << "at " << x << ", " << y;
            if (!inside) {
                ASSERT_EQ(im.index(x, y), 0) << "at " << x << ", " << y;
            }
        }
    }
}

TEST_F(AppIcon, OpaqueAreas) {
    expectOpaqueSquare(large(), 1, 29);
    expectOpaqueSquare(small(), 0, 14);
}

TEST_F(AppIcon, LargeCheckerboard) {
    const IcoImage& im = large();
    // Silver lights the top and left edges; grey lines separate and close the
    // squares at 8, 15, 22 and 29; squares start at 2, 9, 16 and 23.
    for (int p = 1; p <= 29; ++p) {
        EXPECT_EQ(im.colour(p, 1), kSilver) << p;
        EXPECT_EQ(im.colour(1, p), kSilver) << p;
    }
    for (int line : {8, 15, 22, 29}) {
        for (int p = 2; p <= 29; ++p) {
            EXPECT_EQ(im.colour(line, p), kGrey) << line << ", " << p;
            EXPECT_EQ(im.colour(p, line), kGrey) << p << ", " << line;
        }
    }
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            const int x = 2 + 7 * col, y = 2 + 7 * row;
            SCOPED_TRACE(::testing::Message() << "square " << col << ", " << row);
            const bool red = (row + col) % 2 == 0;
            EXPECT_EQ(im.colour(x + 3, y + 3), red ? kRed : kWhite);
            EXPECT_EQ(im.colour(x + 5, y + 5), red ? kRed : kWhite);
            EXPECT_EQ(im.colour(x + 1, y + 1), red ? kRed : kWhite);
            // The white edge along a red square's own top and left.
            EXPECT_EQ(im.colour(x, y + 3), kWhite);
            EXPECT_EQ(im.colour(x + 3, y), kWhite);
        }
    }
}

TEST_F(AppIcon, SmallCheckerboard) {
    const IcoImage& im = small();
    for (int line : {0, 7, 14}) {
        for (int p = 0; p <= 14; ++p) {
            EXPECT_EQ(im.colour(line, p), kGrey) << line << ", " << p;
            EXPECT_EQ(im.colour(p, line), kGrey) << p << ", " << line;
        }
    }
    EXPECT_EQ(im.colour(3, 3), kRed);
    EXPECT_EQ(im.colour(6, 6), kRed);
    EXPECT_EQ(im.colour(1, 3), kWhite);
    EXPECT_EQ(im.colour(3, 1), kWhite);
    EXPECT_EQ(im.colour(11, 11), kRed);
    EXPECT_EQ(im.colour(8, 11), kWhite);
    EXPECT_EQ(im.colour(11, 3), kWhite);
    EXPECT_EQ(im.colour(3, 11), kWhite);
    EXPECT_EQ(im.colour(9, 4), kWhite);
}

}  // namespace
}  // namespace zarnik::testing
