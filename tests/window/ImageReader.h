#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// An independent reader for the two picture formats the program ships, strict
// about the variants it accepts so the tests see every header field.
namespace zarnik::testing {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend auto operator<=>(const Rgb&, const Rgb&) = default;
};

std::string describe(Rgb c);  // "(r, g, b)", for failure messages

struct BmpFile {
    std::uint32_t fileSize = 0, reserved = 0, pixelOffset = 0;
    std::uint32_t infoSize = 0;
    std::int32_t width = 0, height = 0;
    std::uint16_t planes = 0, bitCount = 0;
    std::uint32_t compression = 0, sizeImage = 0;
    std::int32_t xPelsPerMeter = 0, yPelsPerMeter = 0;
    std::uint32_t colorsUsed = 0, colorsImportant = 0;
    bool paddingZero = true;  // every row's filler bytes are 0
    std::vector<Rgb> pixels;  // top-down, row-major
    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

struct IcoImage {
    // ICONDIRENTRY
    int width = 0, height = 0, colorCount = 0, reserved = 0, planes = 0, bitCount = 0;
    std::uint32_t bytesInRes = 0, offset = 0;
    // BITMAPINFOHEADER
    std::uint32_t infoSize = 0;
    std::int32_t infoWidth = 0, infoHeight = 0;
    std::uint16_t infoPlanes = 0, infoBitCount = 0;
    std::uint32_t compression = 0, sizeImage = 0;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> indexes;  // top-down palette index per pixel
    std::vector<bool> transparent;      // top-down AND mask per pixel
    std::uint8_t index(int x, int y) const { return indexes[static_cast<std::size_t>(y) * width + x]; }
    Rgb colour(int x, int y) const { return palette[index(x, y)]; }
    bool clear(int x, int y) const { return transparent[static_cast<std::size_t>(y) * width + x]; }
};

struct IcoFile {
    std::uint16_t reserved = 0, type = 0;
    std::size_t fileSize = 0;
    std::vector<IcoImage> images;
};

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path);

// Both throw std::runtime_error naming the file and the fault when the file
// is not a 24-bit BI_RGB bitmap or a 4-bit icon respectively.
BmpFile readBmp(const std::filesystem::path& path);
IcoFile readIco(const std::filesystem::path& path);

}  // namespace zarnik::testing
