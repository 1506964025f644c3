#include "IcoWriter.h"

#include <array>
#include <stdexcept>

#include "ByteWriter.h"

namespace zarnik::imagegen {

namespace {

// Four colours a line, as the palette is usually drawn.
// clang-format off
constexpr std::array<std::array<std::uint8_t, 3>, 16> kVga{{
    {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0},
    {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
    {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};
// clang-format on

constexpr std::uint32_t kDirSize = 6, kEntrySize = 16, kInfoHeaderSize = 40;

std::uint32_t padded(std::uint32_t rowBits) { return (rowBits + 31) / 32 * 4; }

std::uint32_t imageBytes(const IconImage& image) {
    const std::uint32_t s = image.size;
    return kInfoHeaderSize + 16 * 4 + (padded(s * 4) + padded(s)) * s;
}

void writeImage(ByteWriter& out, const IconImage& image) {
    const int s = image.size;
    const std::uint32_t xorStride = padded(s * 4), andStride = padded(s);
    out.u32(kInfoHeaderSize);
    out.u32(s);
    out.u32(2 * s);  // colour rows and mask rows together
    out.u16(1);
    out.u16(4);
    out.u32(0);  // BI_RGB
    out.u32((xorStride + andStride) * s);
    out.zeros(16);  // resolution and colour counts unused in icons
    for (const auto& c : kVga) {
        out.u8(c[2]);
        out.u8(c[1]);
        out.u8(c[0]);
        out.u8(0);
    }
    // Rows bottom-up; transparent pixels are black in the colour bitmap so
    // the AND/XOR combination leaves the screen untouched there.
    for (int y = s - 1; y >= 0; --y) {
        for (int x = 0; x < s; x += 2) {
            auto px = [&](int xx) -> std::uint32_t {
                const std::size_t i = static_cast<std::size_t>(y) * s + xx;
                return xx < s && !image.transparent[i] ? image.colours[i] : 0;
            };
            out.u8(px(x) << 4 | px(x + 1));
        }
        out.zeros(xorStride - (s + 1) / 2);
    }
    for (int y = s - 1; y >= 0; --y) {
        for (int x = 0; x < s; x += 8) {
            std::uint32_t bits = 0;
            for (int b = 0; b < 8; ++b) {
                const int xx = x + b;
                if (xx < s && image.transparent[static_cast<std::size_t>(y) * s + xx]) bits |= 0x80u >> b;
            }
            out.u8(bits);
        }
        out.zeros(andStride - (s + 7) / 8);
    }
}

}  // namespace

std::vector<std::uint8_t> encodeIco(const std::vector<IconImage>& images) {
    if (images.empty()) throw std::invalid_argument("an icon needs at least one image");
    for (const auto& image : images) {
        const std::size_t n = static_cast<std::size_t>(image.size) * image.size;
        if (image.size <= 0 || image.size > 255 || image.colours.size() != n || image.transparent.size() != n)
            throw std::invalid_argument("malformed icon image");
        for (auto c : image.colours)
            if (c > 15) throw std::invalid_argument("icon colour outside the 16-colour palette");
    }

    ByteWriter out;
    out.u16(0);
    out.u16(1);  // icon, not cursor
    out.u16(static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = kDirSize + kEntrySize * static_cast<std::uint32_t>(images.size());
    for (const auto& image : images) {
        out.u8(image.size);
        out.u8(image.size);
        out.u8(16);  // colours
        out.u8(0);
        out.u16(1);  // planes
        out.u16(4);  // bits per pixel
        out.u32(imageBytes(image));
        out.u32(offset);
        offset += imageBytes(image);
    }
    for (const auto& image : images) writeImage(out, image);
    return out.bytes();
}

}  // namespace zarnik::imagegen
