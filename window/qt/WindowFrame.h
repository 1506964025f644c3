// Where a top-level window goes once the window manager has framed it.
#pragma once

#include <QMargins>
#include <QRect>
#include <QWidget>

namespace zarnik::qt {

// The frame the window manager will put around `window`, asked for before it
// is shown, so that a program can place the whole window without moving it
// again after it appears. Empty margins where nobody answers: no X11, no
// window manager, or one that does not support the question.
QMargins ExpectedFrame(QWidget& window);

// Gives the not yet shown `window` the client rectangle that centres its
// frame on `target`'s centre.
void CentreFrameOn(QWidget& window, const QRect& target);

}  // namespace zarnik::qt
