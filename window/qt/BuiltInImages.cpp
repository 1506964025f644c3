#include "BuiltInImages.h"

#include <QImage>
#include <QResource>
#include <cstdint>

#include "GuiSession.h"
#include "Text.h"

namespace zarnik::qt {
namespace {

struct Bytes {
    const std::uint8_t* data;
    qint64 size;
    std::string_view name;

    const std::uint8_t* At(qint64 offset, qint64 length) const {
        if (offset < 0 || length < 0 || offset + length > size)
            GuiSession::Fatal(Text<>() << "the built-in picture " << name << " is damaged");
        return data + offset;
    }
    std::uint32_t U16(qint64 offset) const {
        const std::uint8_t* p = At(offset, 2);
        return p[0] | p[1] << 8;
    }
    std::uint32_t U32(qint64 offset) const { return U16(offset) | U16(offset + 2) << 16; }
    void Require(bool ok) const {
        if (!ok) GuiSession::Fatal(Text<>() << "the built-in picture " << name << " is not in the expected format");
    }
};

Bytes Resource(pictures::Id picture) {
    // Stored uncompressed (see the CMake file), so this is the mapped data.
    const std::string_view name = pictures::kFiles[picture].name;
    const QResource resource(QStringLiteral(":/images/") + QLatin1String(name.data(), static_cast<qsizetype>(name.size())));
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
        GuiSession::Fatal(Text<>() << "the built-in picture " << name << " is missing");
    return {resource.data(), resource.size(), name};
}

qint64 Stride(qint64 width, int bits) { return (width * bits + 31) / 32 * 4; }

}  // namespace

QPixmap LoadBuiltInBitmap(pictures::Id picture) {
    const Bytes bmp = Resource(picture);
    bmp.Require(bmp.U16(0) == 0x4D42 && bmp.U32(14) >= 40 && bmp.U16(28) == 24 && bmp.U32(30) == 0);
    const int width = static_cast<int>(bmp.U32(18)), height = static_cast<int>(bmp.U32(22));
    bmp.Require(width > 0 && height > 0 && width <= 4096 && height <= 4096);  // bottom-up only
    const qint64 stride = Stride(width, 24);
    const std::uint8_t* pixels = bmp.At(bmp.U32(10), stride * height);

    // Straight into the format the raster backing store draws from, so that
    // making the pixmap is not a second conversion pass.
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = pixels + (height - 1 - y) * stride;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, in += 3) out[x] = qRgb(in[2], in[1], in[0]);
    }
    return QPixmap::fromImage(std::move(image));
}

std::vector<QImage> LoadBuiltInIconImages() {
    const Bytes ico = Resource(pictures::AppIcon);
    ico.Require(ico.U16(0) == 0 && ico.U16(2) == 1 && ico.U16(4) > 0);
    std::vector<QImage> images;
    for (qint64 entry = 6; entry < 6 + 16 * qint64(ico.U16(4)); entry += 16) {
        const qint64 header = ico.U32(entry + 12);
        const int size = ico.At(entry, 1)[0];
        ico.Require(size > 0 && ico.U32(header + 4) == std::uint32_t(size) &&
                    ico.U32(header + 8) == 2u * size && ico.U16(header + 14) == 4);
        const std::uint8_t* palette = ico.At(header + 40, 16 * 4);
        const qint64 colourStride = Stride(size, 4), maskStride = Stride(size, 1);
        const std::uint8_t* colours = ico.At(header + 40 + 64, colourStride * size);
        const std::uint8_t* mask = ico.At(header + 40 + 64 + colourStride * size, maskStride * size);

        QImage image(size, size, QImage::Format_ARGB32);
        for (int y = 0; y < size; ++y) {
            const std::uint8_t* row = colours + (size - 1 - y) * colourStride;
            const std::uint8_t* maskRow = mask + (size - 1 - y) * maskStride;
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < size; ++x) {
                const int index = (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
                const std::uint8_t* bgr = palette + index * 4;
                const bool transparent = (maskRow[x / 8] >> (7 - x % 8)) & 1;
                out[x] = transparent ? 0 : qRgb(bgr[2], bgr[1], bgr[0]);
            }
        }
        images.push_back(std::move(image));
    }
    return images;
}

QIcon LoadBuiltInIcon() {
    QIcon icon;
    for (QImage& image : LoadBuiltInIconImages()) icon.addPixmap(QPixmap::fromImage(std::move(image)));
    return icon;
}

}  // namespace zarnik::qt
