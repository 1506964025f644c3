#include "QtPicture.h"

#include <cmath>
#include <utility>

namespace zarnik::qt {

QtPicture::QtPicture(QPixmap pixmap) : pixmap_(std::move(pixmap)) { pixmap_.setDevicePixelRatio(1.0); }

const QPixmap& QtPicture::ForDevice(qreal devicePixelRatio) const {
    const int factor = std::max(1, static_cast<int>(std::lround(devicePixelRatio)));
    if (factor == 1) return pixmap_;
    auto [it, added] = scaled_.try_emplace(factor);
    if (added) {
        it->second = pixmap_.scaled(pixmap_.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        it->second.setDevicePixelRatio(factor);
    }
    return it->second;
}

}  // namespace zarnik::qt
