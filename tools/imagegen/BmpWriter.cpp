#include "BmpWriter.h"

#include "ByteWriter.h"

namespace zarnik::imagegen {

namespace {
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dots per inch
}  // namespace

std::vector<std::uint8_t> encodeBmp(const Image& image) {
    const std::uint32_t w = image.width(), h = image.height();
    const std::uint32_t stride = (w * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = stride * h;
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;

    ByteWriter out;
    out.u8('B');
    out.u8('M');
    out.u32(offset + pixelBytes);
    out.u32(0);  // two reserved words
    out.u32(offset);

    out.u32(kInfoHeaderSize);
    out.u32(w);
    out.u32(h);  // positive: rows run bottom-up
    out.u16(1);  // planes
    out.u16(24);
    out.u32(0);  // BI_RGB
    out.u32(pixelBytes);
    out.u32(kPixelsPerMetre);
    out.u32(kPixelsPerMetre);
    out.u32(0);  // no palette
    out.u32(0);

    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = image.at(x, y);
            out.u8(c.b);
            out.u8(c.g);
            out.u8(c.r);
        }
        out.zeros(stride - w * 3);
    }
    return out.bytes();
}

}  // namespace zarnik::imagegen
