// zarnik_icon_png SIZE OUT.png: the window's built-in icon as a SIZE x SIZE
// PNG for the freedesktop icon theme. Sizes the icon holds are written as
// they are; others are whole-factor enlargements of the largest one, without
// smoothing, as the icon is pixel art.
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "BuiltInImages.h"

int main(int argc, char** argv) {
    const int size = argc == 3 ? std::atoi(argv[1]) : 0;
    if (size <= 0) {
        std::fputs("usage: zarnik_icon_png SIZE OUT.png\n", stderr);
        return 2;
    }
    // Images only, no application: nothing of a GUI session is touched at build time.
    std::vector<QImage> images = zarnik::qt::LoadBuiltInIconImages();
    const QImage& largest = *std::max_element(images.begin(), images.end(),
                                              [](const QImage& a, const QImage& b) { return a.width() < b.width(); });
    QImage image = largest;
    for (const QImage& candidate : images)
        if (candidate.width() == size) image = candidate;
    if (image.width() != size) {
        if (size % largest.width() != 0) {
            std::fprintf(stderr, "zarnik_icon_png: %d is not a multiple of %d\n", size, largest.width());
            return 1;
        }
        image = largest.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    if (!image.convertToFormat(QImage::Format_ARGB32).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "zarnik_icon_png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
