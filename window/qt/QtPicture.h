// A picture as the Qt window shows it: the bitmap, and copies of it enlarged
// by whole factors for high-DPI screens, so tiles stay crisp instead of
// blurring under a smooth scale.
#pragma once

#include <QPixmap>
#include <map>

#include "Toolkit.h"

namespace zarnik::qt {

class QtPicture final : public Picture {
public:
    explicit QtPicture(QPixmap pixmap);
    ~QtPicture() = default;

    // Logical size: the bitmap's own size in pixels at 96 DPI.
    QSize size() const { return pixmap_.size(); }

    // The bitmap for a device with `devicePixelRatio`: enlarged
    // nearest-neighbour by the ratio rounded to a whole factor, tagged with
    // that factor so it paints at its logical size. Cached per factor.
    const QPixmap& ForDevice(qreal devicePixelRatio) const;

private:
    QPixmap pixmap_;
    mutable std::map<int, QPixmap> scaled_;
};

}  // namespace zarnik::qt
