#include "PictureHolder.h"

#include <utility>

namespace zarnik::qt {

PictureHolder::PictureHolder(QPixmap pixmap, QWidget* parent) : QWidget(parent), picture_(std::move(pixmap)) {
    setFocusPolicy(Qt::NoFocus);
    // Hidden explicitly, so showing the window never shows it.
    hide();
}

}  // namespace zarnik::qt
