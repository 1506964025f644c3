// zarnik_icon_png SIZE OUT.png: the window's built-in icon as a SIZE x SIZE
// PNG for the freedesktop icon theme. Sizes the icon holds are written as
// they are; others are whole-factor enlargements of the largest one, without
// smoothing, as the icon is pixel art.
#include <QGuiApplication>
#include <QIcon>
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
    qputenv("QT_QPA_PLATFORM", "offscreen");  // run at build time, without a display
    QGuiApplication app(argc, argv);
    const QIcon icon = zarnik::qt::LoadBuiltInIcon();
    const QList<QSize> sizes = icon.availableSizes();
    QImage image;
    if (sizes.contains(QSize(size, size))) {
        image = icon.pixmap(size).toImage();
    } else {
        const QSize largest = *std::max_element(sizes.begin(), sizes.end(),
                                                [](QSize a, QSize b) { return a.width() < b.width(); });
        if (size % largest.width() != 0) {
            std::fprintf(stderr, "zarnik_icon_png: %d is not a multiple of %d\n", size, largest.width());
            return 1;
        }
        image = icon.pixmap(largest).toImage().scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    if (!image.convertToFormat(QImage::Format_ARGB32).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "zarnik_icon_png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
