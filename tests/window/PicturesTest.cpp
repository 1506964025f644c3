// The committed pictures in window/images, read by a reader that shares
// nothing with their generator: the four bitmaps' format, shades and
// lettering, the application icon, and that the generator makes them all.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <compare>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace zarnik::testing {
namespace {

namespace fs = std::filesystem;

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend auto operator<=>(const Rgb&, const Rgb&) = default;
    friend std::ostream& operator<<(std::ostream& os, Rgb c) {
        return os << '(' << +c.r << ", " << +c.g << ", " << +c.b << ')';
    }
};

constexpr Rgb kRed{255, 0, 0}, kWhite{255, 255, 255}, kGrey{128, 128, 128}, kSilver{192, 192, 192};

// A whole file with little-endian field access; reading past its end throws.
struct Bytes : std::vector<std::uint8_t> {
    std::uint32_t u8(std::size_t i) const { return at(i); }
    std::uint32_t u16(std::size_t i) const { return u8(i) | u8(i + 1) << 8; }
    std::uint32_t u32(std::size_t i) const { return u16(i) | u16(i + 2) << 16; }
    Rgb bgr(std::size_t i) const { return {at(i + 2), at(i + 1), at(i)}; }
};

Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    Bytes bytes;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return bytes;
}

Bytes Committed(const std::string& name) { return ReadBytes(fs::path(ZARNIK_IMAGES_DIR) / name); }

// Bytes in one row of a DIB, padded to four.
constexpr std::uint32_t Stride(std::uint32_t bitsPerRow) { return (bitsPerRow + 31) / 32 * 4; }

struct Bmp {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;  // top-down, row-major
    Rgb at(int x, int y) const { return pixels.at(static_cast<std::size_t>(y) * width + x); }
};

// The pixels of a bottom-up 24-bit bitmap, its format checked below.
Bmp ReadBmp(const std::string& name) {
    const Bytes b = Committed(name);
    Bmp bmp{static_cast<int>(b.u32(18)), static_cast<int>(b.u32(22)), {}};
    for (int y = bmp.height - 1; y >= 0; --y)
        for (int x = 0; x < bmp.width; ++x)
            bmp.pixels.push_back(b.bgr(b.u32(10) + y * Stride(bmp.width * 24) + 3 * x));
    return bmp;
}

TEST(BitmapFormat, EachIsA24BitBottomUpBitmapOfItsSize) {
    struct Expected { const char* name; std::uint32_t width, height; };
    for (auto [name, w, h] : {Expected{"BackdropImage.bmp", 321, 376}, Expected{"TileStart.bmp", 53, 53},
                              Expected{"TileTurned.bmp", 53, 53}, Expected{"ResetFaceImage.bmp", 118, 30}}) {
        const Bytes b = Committed(name);
        const std::uint32_t image = Stride(24 * w) * h;
        // "BM", file size, reserved, pixel offset; info header size, width,
        // height (positive: bottom-up), planes, bits, BI_RGB, image size, 96
        // DPI both ways, no palette; then the rows and nothing more.
        EXPECT_EQ((std::vector{b.u16(0), b.u32(2), b.u32(6), b.u32(10), b.u32(14), b.u32(18), b.u32(22), b.u16(26),
                               b.u16(28), b.u32(30), b.u32(34), b.u32(38), b.u32(42), b.u32(46), b.u32(50)}),
                  (std::vector<std::uint32_t>{0x4D42, 54 + image, 0, 54, 40, w, h, 1, 24, 0, image, 3780, 3780, 0, 0}))
            << name;
        EXPECT_EQ(b.size(), 54 + image) << name;
    }
}

// Each texture is one ramp of 25 shades, green equal to blue, ordered by red
// and green alike so that no shade casts another colour.
TEST(Texture, EachIsOneRampOf25ShadesWithGreenEqualToBlue) {
    struct Expected { const char* name; Rgb darkest, lightest; double r, g; };
    for (const Expected& e : {Expected{"BackdropImage.bmp", {102, 153, 153}, {161, 192, 192}, 131, 172},
                              Expected{"TileStart.bmp", {147, 183, 183}, {189, 211, 211}, 167, 197},
                              Expected{"TileTurned.bmp", {255, 76, 76}, {255, 145, 145}, 255, 110}}) {
        SCOPED_TRACE(e.name);
        const Bmp bmp = ReadBmp(e.name);
        const std::set<Rgb> shades(bmp.pixels.begin(), bmp.pixels.end());
        double r = 0, g = 0;
        for (const Rgb c : bmp.pixels) {
            ASSERT_EQ(c.g, c.b) << c;
            r += c.r;
            g += c.g;
        }
        EXPECT_EQ(shades.size(), 25u);
        EXPECT_EQ(*shades.begin(), e.darkest);
        EXPECT_EQ(*shades.rbegin(), e.lightest);
        for (auto it = std::next(shades.begin()); it != shades.end(); ++it)
            EXPECT_GT(it->g, std::prev(it)->g) << *std::prev(it) << " then " << *it;
        EXPECT_NEAR(r / bmp.pixels.size(), e.r, 3);
        EXPECT_NEAR(g / bmp.pixels.size(), e.g, 3);
    }
}

TEST(Texture, TileTurnedIsTheSameMosaicInRed) {
    const Bmp start = ReadBmp("TileStart.bmp"), turned = ReadBmp("TileTurned.bmp");
    std::map<Rgb, Rgb> toRed;  // ordered by teal, darkest first
    for (std::size_t i = 0; i < start.pixels.size(); ++i) {
        const auto [it, fresh] = toRed.emplace(start.pixels[i], turned.pixels.at(i));
        ASSERT_EQ(it->second, turned.pixels[i]) << start.pixels[i] << " turns into two reds at pixel " << i;
    }
    ASSERT_EQ(toRed.size(), 25u);
    EXPECT_EQ(toRed.begin()->second, (Rgb{255, 76, 76})) << "the darkest teal";
    for (auto it = std::next(toRed.begin()); it != toRed.end(); ++it)
        EXPECT_GT(it->second.g, std::prev(it)->second.g) << "lighter teal, lighter red: " << it->first;
}

// リセット in black with grey edges on the tile mosaic: a fair share of the
// face, centred, readable on its button yet clear of the frame.
TEST(ResetFace, IsCentredBlackLetteringWithGreyEdgesOnTheMosaic) {
    const Bmp face = ReadBmp("ResetFaceImage.bmp"), tile = ReadBmp("TileStart.bmp");
    const std::set<Rgb> teal(tile.pixels.begin(), tile.pixels.end());
    std::set<Rgb> ground;
    int black = 0, grey = 0, x0 = face.width, x1 = -1, y0 = face.height, y1 = -1;
    for (int y = 0; y < face.height; ++y)
        for (int x = 0; x < face.width; ++x) {
            const Rgb c = face.at(x, y);
            if (teal.contains(c)) {
                ground.insert(c);
                continue;
            }
            ASSERT_TRUE(c.r == c.g && c.g == c.b) << c << " is neither mosaic nor grey";
            ++(c.r == 0 ? black : grey);
            x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
        }
    EXPECT_GE(ground.size(), 20u);
    EXPECT_TRUE(black > 150 && grey > 150) << black << " black (solid strokes), " << grey << " grey (smoothed edges)";
    EXPECT_TRUE(black + grey > 118 * 30 / 8 && black + grey < 118 * 30 / 2) << black + grey << " inked";
    EXPECT_LE(std::abs(x0 - (face.width - 1 - x1)), 2) << "ink spans columns " << x0 << " to " << x1;
    EXPECT_LE(std::abs(y0 - (face.height - 1 - y1)), 2) << "ink spans rows " << y0 << " to " << y1;
    EXPECT_TRUE(x1 - x0 + 1 >= 60 && y1 - y0 + 1 >= 18) << "too small to read";
    EXPECT_TRUE(x0 >= 4 && y0 >= 2) << "too close to the frame";
}

// Image n of AppIcon.ico at 4 bits per pixel: a 40-byte header, 16 palette
// entries, then the colour rows and the mask rows, both bottom-up.
struct Icon {
    Bytes b = Committed("AppIcon.ico");
    const int n, size = static_cast<int>(b.u8(6 + 16 * n));
    const std::uint32_t palette = b.u32(18 + 16 * n) + 40, rows = palette + 64;
    Rgb colour(int x, int y) const {
        const std::uint32_t row = rows + (size - 1 - y) * Stride(4 * size);
        return b.bgr(palette + 4 * (b.u8(row + x / 2) >> (x % 2 ? 0 : 4) & 15));
    }
    bool clear(int x, int y) const {
        const std::uint32_t row = rows + Stride(4 * size) * size + (size - 1 - y) * Stride(size);
        return (b.u8(row + x / 8) >> (7 - x % 8) & 1) != 0;
    }
};

TEST(AppIcon, HoldsA32AndA16PixelImageInTheVgaPaletteBackToBack) {
    const std::array<Rgb, 16> vga{{{0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0},
                                   {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, kSilver,
                                   kGrey, kRed, {0, 255, 0}, {255, 255, 0},
                                   {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, kWhite}};
    const Bytes bytes = Committed("AppIcon.ico");
    EXPECT_EQ((std::vector{bytes.u16(0), bytes.u16(2), bytes.u16(4)}), (std::vector<std::uint32_t>{0, 1, 2}));
    std::uint32_t next = 6 + 2 * 16;
    for (std::uint32_t n = 0, s = 32; n < 2; ++n, s /= 2) {
        SCOPED_TRACE(s);
        const std::uint32_t e = 6 + 16 * n, at = bytes.u32(e + 12), pixels = (Stride(4 * s) + Stride(s)) * s;
        // Entry: width, height, colours, reserved, planes, bits, size, offset;
        // its DIB: header size, width, colour and mask rows, planes, bits,
        // BI_RGB, image size; its palette with the fourth bytes zero.
        EXPECT_EQ((std::vector{bytes.u8(e), bytes.u8(e + 1), bytes.u8(e + 2), bytes.u8(e + 3), bytes.u16(e + 4),
                               bytes.u16(e + 6), bytes.u32(e + 8), at}),
                  (std::vector<std::uint32_t>{s, s, 16, 0, 1, 4, 40 + 64 + pixels, next}));
        EXPECT_EQ((std::vector{bytes.u32(at), bytes.u32(at + 4), bytes.u32(at + 8), bytes.u16(at + 12),
                               bytes.u16(at + 14), bytes.u32(at + 16), bytes.u32(at + 20)}),
                  (std::vector<std::uint32_t>{40, s, 2 * s, 1, 4, 0, pixels}));
        for (std::uint32_t k = 0; k < 16; ++k)
            EXPECT_TRUE(bytes.bgr(at + 40 + 4 * k) == vga[k] && bytes.u8(at + 43 + 4 * k) == 0) << "entry " << k;
        next += 40 + 64 + pixels;
    }
    EXPECT_EQ(bytes.size(), next);
}

// Only the board is opaque; the clear rest is black in the colour bitmap so
// that it leaves the screen untouched. The board: squares of six pixels
// between grey lines, from `first`; at 32 pixels a silver bevel takes the
// place of the top and left grey line. Red squares carry a white edge along
// their own top and left.
TEST(AppIcon, IsAnOpaqueCheckerboardOnAClearGround) {
    struct Board { int first, squares; Rgb bevel; };
    for (auto [n, board] : {std::pair{0, Board{2, 4, kSilver}}, std::pair{1, Board{1, 2, kGrey}}}) {
        const Icon im{.n = n};
        SCOPED_TRACE(im.size);
        const int lo = board.first - 1, hi = lo + 7 * board.squares;
        for (int y = 0; y < im.size; ++y)
            for (int x = 0; x < im.size; ++x) {
                const bool inside = std::min(x, y) >= lo && std::max(x, y) <= hi;
                ASSERT_EQ(im.clear(x, y), !inside) << x << ", " << y;
                ASSERT_TRUE(inside || im.colour(x, y) == Rgb{}) << x << ", " << y;
            }
        for (int line = 0; line <= board.squares; ++line)
            for (int p = board.first, at = lo + 7 * line; p <= hi; ++p) {
                EXPECT_EQ(im.colour(at, p), line == 0 ? board.bevel : kGrey) << at << ", " << p;
                EXPECT_EQ(im.colour(p, at), line == 0 ? board.bevel : kGrey) << p << ", " << at;
            }
        for (int row = 0; row < board.squares; ++row)
            for (int col = 0; col < board.squares; ++col) {
                const int x = board.first + 7 * col, y = board.first + 7 * row;
                SCOPED_TRACE(::testing::Message() << "square " << col << ", " << row);
                for (int d : {1, 3, 5}) EXPECT_EQ(im.colour(x + d, y + d), (row + col) % 2 == 0 ? kRed : kWhite);
                EXPECT_EQ(im.colour(x, y + 3), kWhite);
                EXPECT_EQ(im.colour(x + 3, y), kWhite);
            }
    }
}

class Regeneration : public ::testing::Test {
protected:
    void SetUp() override { fs::remove_all(dir), fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    // Runs the generator; its exit status, with stdout and stderr in `output`.
    int Run(const std::string& args) {
        FILE* pipe = ::popen((std::string(ZARNIK_IMAGEGEN) + " " + args + " 2>&1").c_str(), "r");
        output.clear();
        for (int c; (c = std::fgetc(pipe)) != EOF;) output += static_cast<char>(c);
        const int status = ::pclose(pipe);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    const fs::path dir = fs::temp_directory_path() / ("zarnik-imagegen-" + std::to_string(::getpid()));
    std::string output;
};

TEST_F(Regeneration, ReproducesTheCommittedPicturesByteForByte) {
    ASSERT_EQ(Run((dir / "out").string()), 0) << output;
    for (const char* name :
         {"BackdropImage.bmp", "TileStart.bmp", "TileTurned.bmp", "ResetFaceImage.bmp", "AppIcon.ico"})
        EXPECT_TRUE(ReadBytes(dir / "out" / name) == Committed(name)) << name << ": run `make images` and commit them";
}

TEST_F(Regeneration, ReportsMisuseAndWriteFailures) {
    EXPECT_EQ(Run(""), 2);
    EXPECT_NE(output.find("usage"), std::string::npos) << output;
    std::ofstream(dir / "file") << "not a directory";
    EXPECT_EQ(Run((dir / "file" / "out").string()), 1);
    EXPECT_NE(output.find("zarnik_imagegen:"), std::string::npos) << output;
}

}  // namespace
}  // namespace zarnik::testing
