#include <gtest/gtest.h>

#include <array>

#include "ImageReader.h"

namespace zarnik::testing {
namespace {

constexpr Rgb kRed{255, 0, 0}, kWhite{255, 255, 255}, kGrey{128, 128, 128}, kSilver{192, 192, 192};

class AppIcon : public ::testing::Test {
protected:
    const Bytes bytes = readBytes(committed("AppIcon.ico"));
    const std::vector<Icon> icons = readIco(bytes);
};

TEST_F(AppIcon, HoldsA32AndA16PixelImageInTheVgaPaletteBackToBack) {
    const std::array<Rgb, 16> vga{{{0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0},
                                   {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, kSilver,
                                   kGrey, kRed, {0, 255, 0}, {255, 255, 0},
                                   {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, kWhite}};
    EXPECT_EQ((std::vector{bytes.u16(0), bytes.u16(2), bytes.u16(4)}), (std::vector<std::uint32_t>{0, 1, 2}));
    ASSERT_EQ(icons.size(), 2u);
    std::uint32_t next = 6 + 2 * 16;
    for (std::uint32_t n = 0, s = 32; n < 2; ++n, s /= 2) {
        SCOPED_TRACE(s);
        const std::uint32_t e = 6 + 16 * n, at = bytes.u32(e + 12), pixels = (stride(4 * s) + stride(s)) * s;
        // Entry: width, height, colours, reserved, planes, bits, size, offset.
        EXPECT_EQ((std::vector{bytes.u8(e), bytes.u8(e + 1), bytes.u8(e + 2), bytes.u8(e + 3), bytes.u16(e + 4),
                               bytes.u16(e + 6), bytes.u32(e + 8), at}),
                  (std::vector<std::uint32_t>{s, s, 16, 0, 1, 4, 40 + 64 + pixels, next}));
        // Its DIB: header size, width, colour and mask rows, planes, bits,
        // BI_RGB, image size.
        EXPECT_EQ((std::vector{bytes.u32(at), bytes.u32(at + 4), bytes.u32(at + 8), bytes.u16(at + 12),
                               bytes.u16(at + 14), bytes.u32(at + 16), bytes.u32(at + 20)}),
                  (std::vector<std::uint32_t>{40, s, 2 * s, 1, 4, 0, pixels}));
        for (std::uint32_t k = 0; k < 16; ++k) {
            EXPECT_EQ(icons[n].palette[k], vga[k]) << "entry " << k;
            EXPECT_EQ(bytes.u8(at + 40 + 4 * k + 3), 0u) << "entry " << k;
        }
        next += 40 + 64 + pixels;
    }
    EXPECT_EQ(bytes.size(), next);
}

// Only the board is opaque; the clear rest is black in the colour bitmap so
// that it leaves the screen untouched.
TEST_F(AppIcon, OpaqueAreas) {
    for (auto [n, lo, hi] : {std::array{0, 1, 29}, std::array{1, 0, 14}}) {
        const Icon& im = icons.at(n);
        for (int y = 0; y < im.size; ++y)
            for (int x = 0; x < im.size; ++x) {
                const bool inside = x >= lo && x <= hi && y >= lo && y <= hi;
                ASSERT_EQ(im.clear[im.i(x, y)], !inside) << im.size << " at " << x << ", " << y;
                ASSERT_TRUE(inside || im.indexes[im.i(x, y)] == 0) << im.size << " at " << x << ", " << y;
            }
    }
}

// Squares of six pixels between grey lines, from `first`; at 32 pixels a
// silver bevel takes the place of the top and left grey line. Red squares
// carry a white edge along their own top and left.
TEST_F(AppIcon, Checkerboard) {
    struct Board { int first, squares; Rgb bevel; };
    for (auto [n, board] : {std::pair{0, Board{2, 4, kSilver}}, std::pair{1, Board{1, 2, kGrey}}}) {
        const Icon& im = icons.at(n);
        SCOPED_TRACE(im.size);
        const int end = board.first - 1 + 7 * board.squares;
        for (int line = 0; line <= board.squares; ++line)
            for (int p = board.first, at = board.first - 1 + 7 * line; p <= end; ++p) {
                EXPECT_EQ(im.colour(at, p), line == 0 ? board.bevel : kGrey) << at << ", " << p;
                EXPECT_EQ(im.colour(p, at), line == 0 ? board.bevel : kGrey) << p << ", " << at;
            }
        for (int row = 0; row < board.squares; ++row)
            for (int col = 0; col < board.squares; ++col) {
                const int x = board.first + 7 * col, y = board.first + 7 * row;
                const Rgb inside = (row + col) % 2 == 0 ? kRed : kWhite;
                SCOPED_TRACE(::testing::Message() << "square " << col << ", " << row);
                for (int d : {1, 3, 5}) EXPECT_EQ(im.colour(x + d, y + d), inside);
                EXPECT_EQ(im.colour(x, y + 3), kWhite);
                EXPECT_EQ(im.colour(x + 3, y), kWhite);
            }
    }
}

}  // namespace
}  // namespace zarnik::testing
