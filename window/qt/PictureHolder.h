// A hidden control that owns one picture for the life of the window; the
// cell buttons only point at it.
#pragma once

#include <QWidget>

#include "QtPicture.h"

namespace zarnik::qt {

class PictureHolder final : public QWidget {
public:
    PictureHolder(QPixmap pixmap, QWidget* parent);

    const QtPicture& picture() const { return picture_; }

private:
    QtPicture picture_;
};

}  // namespace zarnik::qt
