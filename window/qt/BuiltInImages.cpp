#include "BuiltInImages.h"

#include "PicturePixels.h"

namespace zarnik::qt {
namespace {

// The pixels where they lie, read-only: neither copied nor converted.
QImage Wrap(const PictureFrame& frame) {
    return QImage(reinterpret_cast<const uchar*>(frame.pixels), frame.width, frame.height, frame.format);
}

}  // namespace

QPixmap LoadBuiltInBitmap(pictures::Id picture) { return QPixmap::fromImage(Wrap(kPictureFrames[picture].front())); }

std::vector<QImage> LoadBuiltInIconImages() {
    std::vector<QImage> images;
    for (const PictureFrame& frame : kPictureFrames[pictures::AppIcon]) images.push_back(Wrap(frame));
    return images;
}

QIcon LoadBuiltInIcon() {
    QIcon icon;
    for (const QImage& image : LoadBuiltInIconImages()) icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

}  // namespace zarnik::qt
