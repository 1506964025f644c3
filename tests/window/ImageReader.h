// A reader for the two picture formats the program ships, sharing nothing
// with their generator.
#pragma once

#include <compare>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace zarnik::testing {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend auto operator<=>(const Rgb&, const Rgb&) = default;
    friend std::ostream& operator<<(std::ostream& os, Rgb c) {
        return os << '(' << +c.r << ", " << +c.g << ", " << +c.b << ')';
    }
};

// A whole file with little-endian field access; reading past its end throws.
struct Bytes : std::vector<std::uint8_t> {
    std::uint32_t u8(std::size_t i) const { return at(i); }
    std::uint32_t u16(std::size_t i) const { return u8(i) | u8(i + 1) << 8; }
    std::uint32_t u32(std::size_t i) const { return u16(i) | u16(i + 2) << 16; }
    Rgb bgr(std::size_t i) const { return {at(i + 2), at(i + 1), at(i)}; }
};

inline std::filesystem::path committed(const std::string& name) {
    return std::filesystem::path(ZARNIK_IMAGES_DIR) / name;
}

inline Bytes readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path.string() + ": cannot open");
    Bytes bytes;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return bytes;
}

// Bytes in one row of a DIB, padded to four.
constexpr std::uint32_t stride(std::uint32_t bitsPerRow) { return (bitsPerRow + 31) / 32 * 4; }

struct Bmp {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;  // top-down, row-major
    Rgb at(int x, int y) const { return pixels.at(static_cast<std::size_t>(y) * width + x); }
};

// The pixels of a committed bottom-up 24-bit BI_RGB bitmap.
inline Bmp readBmp(const std::string& name) {
    const Bytes b = readBytes(committed(name));
    if (b.u16(0) != 0x4D42 || b.u16(28) != 24 || b.u32(30) != 0)
        throw std::runtime_error(name + ": not a 24-bit BI_RGB bitmap");
    Bmp bmp{static_cast<int>(b.u32(18)), static_cast<int>(b.u32(22)), {}};
    for (int y = bmp.height - 1; y >= 0; --y)
        for (int x = 0; x < bmp.width; ++x)
            bmp.pixels.push_back(b.bgr(b.u32(10) + y * stride(bmp.width * 24) + 3 * x));
    return bmp;
}

struct Icon {
    int size = 0;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> indexes;  // top-down, row-major
    std::vector<bool> clear;            // the AND mask, likewise
    std::size_t i(int x, int y) const { return static_cast<std::size_t>(y) * size + x; }
    Rgb colour(int x, int y) const { return palette.at(indexes.at(i(x, y))); }
};

// Every image of an icon file read as 4 bits per pixel: a 40-byte header, 16
// palette entries, the colour rows and the mask rows, both bottom-up.
inline std::vector<Icon> readIco(const Bytes& b) {
    std::vector<Icon> icons;
    for (std::uint32_t n = 0; n < b.u16(4); ++n) {
        const std::uint32_t s = b.u8(6 + 16 * n), at = b.u32(6 + 16 * n + 12);
        const std::uint32_t xorAt = at + 40 + 64, andAt = xorAt + stride(4 * s) * s;
        Icon icon{static_cast<int>(s), {}, {}, {}};
        for (std::uint32_t k = 0; k < 16; ++k) icon.palette.push_back(b.bgr(at + 40 + 4 * k));
        for (std::uint32_t row = s; row-- > 0;)
            for (std::uint32_t x = 0; x < s; ++x) {
                icon.indexes.push_back(b.u8(xorAt + row * stride(4 * s) + x / 2) >> (x % 2 ? 0 : 4) & 15);
                icon.clear.push_back((b.u8(andAt + row * stride(s) + x / 8) >> (7 - x % 8) & 1) != 0);
            }
        icons.push_back(std::move(icon));
    }
    return icons;
}

}  // namespace zarnik::testing
