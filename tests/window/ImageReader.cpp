#include "ImageReader.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace zarnik::testing {

namespace {

class Cursor {
public:
    Cursor(const std::vector<std::uint8_t>& bytes, std::string name) : bytes_(bytes), name_(std::move(name)) {}

    void seek(std::size_t at) {
        if (at > bytes_.size()) fail("offset " + std::to_string(at) + " beyond the end");
        pos_ = at;
    }
    std::uint32_t u8() {
        if (pos_ >= bytes_.size()) fail("truncated at byte " + std::to_string(pos_));
        return bytes_[pos_++];
    }
    std::uint32_t u16() { const auto lo = u8(); return lo | u8() << 8; }
    std::uint32_t u32() { const auto lo = u16(); return lo | u16() << 16; }
    std::int32_t s32() { return static_cast<std::int32_t>(u32()); }

    [[noreturn]] void fail(const std::string& what) const { throw std::runtime_error(name_ + ": " + what); }

private:
    const std::vector<std::uint8_t>& bytes_;
    std::string name_;
    std::size_t pos_ = 0;
};

std::uint32_t stride(std::uint32_t bitsPerRow) { return (bitsPerRow + 31) / 32 * 4; }

}  // namespace

std::string describe(Rgb c) {
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
}

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path.string() + ": cannot open");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

BmpFile readBmp(const std::filesystem::path& path) {
    const auto bytes = readBytes(path);
    Cursor in(bytes, path.string());
    BmpFile f;
    if (in.u8() != 'B' || in.u8() != 'M') in.fail("no BM signature");
    f.fileSize = in.u32();
    f.reserved = in.u32();
    f.pixelOffset = in.u32();
    f.infoSize = in.u32();
    if (f.infoSize != 40) in.fail("info header is not a 40-byte BITMAPINFOHEADER");
    f.width = in.s32();
    f.height = in.s32();
    f.planes = in.u16();
    f.bitCount = in.u16();
    f.compression = in.u32();
    f.sizeImage = in.u32();
    f.xPelsPerMeter = in.s32();
    f.yPelsPerMeter = in.s32();
    f.colorsUsed = in.u32();
    f.colorsImportant = in.u32();
    if (f.bitCount != 24 || f.compression != 0) in.fail("not 24-bit BI_RGB");
    if (f.width <= 0 || f.height == 0) in.fail("bad dimensions");

    const bool bottomUp = f.height > 0;
    const int h = bottomUp ? f.height : -f.height;
    const std::uint32_t rowBytes = stride(static_cast<std::uint32_t>(f.width) * 24);
    f.pixels.resize(static_cast<std::size_t>(f.width) * h);
    for (int row = 0; row < h; ++row) {
        in.seek(f.pixelOffset + static_cast<std::size_t>(row) * rowBytes);
        const int y = bottomUp ? h - 1 - row : row;
        for (int x = 0; x < f.width; ++x) {
            Rgb c;
            c.b = static_cast<std::uint8_t>(in.u8());
            c.g = static_cast<std::uint8_t>(in.u8());
            c.r = static_cast<std::uint8_t>(in.u8());
            f.pixels[static_cast<std::size_t>(y) * f.width + x] = c;
        }
        for (std::uint32_t p = static_cast<std::uint32_t>(f.width) * 3; p < rowBytes; ++p)
            if (in.u8() != 0) f.paddingZero = false;
    }
    return f;
}

IcoFile readIco(const std::filesystem::path& path) {
    const auto bytes = readBytes(path);
    Cursor in(bytes, path.string());
    IcoFile f;
    f.fileSize = bytes.size();
    f.reserved = static_cast<std::uint16_t>(in.u16());
    f.type = static_cast<std::uint16_t>(in.u16());
    const auto count = in.u16();
    if (f.type != 1 || count == 0) in.fail("not an icon directory");
    f.images.resize(count);
    for (auto& im : f.images) {
        im.width = static_cast<int>(in.u8());
        im.height = static_cast<int>(in.u8());
        im.colorCount = static_cast<int>(in.u8());
        im.reserved = static_cast<int>(in.u8());
        im.planes = static_cast<int>(in.u16());
        im.bitCount = static_cast<int>(in.u16());
        im.bytesInRes = in.u32();
        im.offset = in.u32();
    }
    for (auto& im : f.images) {
        in.seek(im.offset);
        im.infoSize = in.u32();
        im.infoWidth = in.s32();
        im.infoHeight = in.s32();
        im.infoPlanes = static_cast<std::uint16_t>(in.u16());
        im.infoBitCount = static_cast<std::uint16_t>(in.u16());
        im.compression = in.u32();
        im.sizeImage = in.u32();
        if (im.infoSize != 40 || im.infoBitCount != 4 || im.compression != 0) in.fail("image is not a 4-bit BI_RGB DIB");
        if (im.width == 0 || im.infoWidth != im.width || im.infoHeight != 2 * im.height)
            in.fail("DIB size does not match its directory entry");

        in.seek(im.offset + im.infoSize);
        for (int i = 0; i < 16; ++i) {
            Rgb c;
            c.b = static_cast<std::uint8_t>(in.u8());
            c.g = static_cast<std::uint8_t>(in.u8());
            c.r = static_cast<std::uint8_t>(in.u8());
            if (in.u8() != 0) in.fail("palette entry with a non-zero fourth byte");
            im.palette.push_back(c);
        }
        const std::size_t n = static_cast<std::size_t>(im.width) * im.height;
        im.indexes.resize(n);
        im.transparent.resize(n);
        const std::size_t xorAt = im.offset + im.infoSize + 16 * 4;
        const std::uint32_t xorStride = stride(im.width * 4), andStride = stride(im.width);
        const std::size_t andAt = xorAt + static_cast<std::size_t>(xorStride) * im.height;
        for (int row = 0; row < im.height; ++row) {
            const int y = im.height - 1 - row;
            for (int x = 0; x < im.width; ++x) {
                in.seek(xorAt + static_cast<std::size_t>(row) * xorStride + x / 2);
                const auto byte = in.u8();
                im.indexes[static_cast<std::size_t>(y) * im.width + x] =
                    static_cast<std::uint8_t>(x % 2 == 0 ? byte >> 4 : byte & 15);
                in.seek(andAt + static_cast<std::size_t>(row) * andStride + x / 8);
                im.transparent[static_cast<std::size_t>(y) * im.width + x] = (in.u8() >> (7 - x % 8) & 1) != 0;
            }
        }
        // Touch the last byte of the mask so a short file is reported here.
        in.seek(andAt + static_cast<std::size_t>(andStride) * im.height - 1);
        in.u8();
    }
    return f;
}

}  // namespace zarnik::testing
