#include "PictureButton.h"

#include <QKeyEvent>
#include <QPainter>

#include "Layout.h"

namespace zarnik::qt {
namespace {

QColor Shade(Colour colour) { return QColor::fromRgb(ToRgb(colour)); }

// One ring of the frame, `inset` pixels in from the edge: `topLeft` along
// the top and left sides, `bottomRight` along the other two. Filled
// rectangles rather than lines keep it exact at any whole scale factor.
void Ring(QPainter& p, const QRect& r, int inset, const QColor& topLeft, const QColor& bottomRight) {
    const QRect ring = r.adjusted(inset, inset, -inset, -inset);
    p.fillRect(QRect(ring.left(), ring.top(), ring.width(), 1), topLeft);
    p.fillRect(QRect(ring.left(), ring.top(), 1, ring.height()), topLeft);
    p.fillRect(QRect(ring.left(), ring.bottom(), ring.width(), 1), bottomRight);
    p.fillRect(QRect(ring.right(), ring.top() + 1, 1, ring.height() - 1), bottomRight);
}

}  // namespace

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent), face_(Shade(layout::kBareFace)) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureButton::setPicture(const QtPicture* picture) {
    picture_ = picture;
    update();
}

void PictureButton::setFaceColour(const QColor& colour) {
    face_ = colour;
    update();
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect face =
        rect().adjusted(layout::kBevelWidth, layout::kBevelWidth, -layout::kBevelWidth, -layout::kBevelWidth);
    painter.fillRect(face, face_);
    if (picture_) {
        // Centred on the whole button; a picture larger than the face is cut
        // by the frame rather than squeezed.
        const QSize size = picture_->size();
        QPoint at((width() - size.width()) / 2, (height() - size.height()) / 2);
        if (isDown()) at += QPoint(1, 1);
        painter.save();
        painter.setClipRect(face);
        painter.drawPixmap(at, picture_->ForDevice(devicePixelRatioF()));
        painter.restore();
    }
    PaintFrame(painter);
    if (hasFocus()) PaintFocus(painter);
}

void PictureButton::PaintFrame(QPainter& painter) const {
    const layout::Bevel& b = layout::kBevel;
    Ring(painter, rect(), 0, Shade(isDown() ? b.darkShadow : b.highlight), Shade(b.darkShadow));
    Ring(painter, rect(), 1, Shade(isDown() ? b.shadow : b.light), Shade(b.shadow));
}

void PictureButton::PaintFocus(QPainter& painter) const {
    // In logical pixels, so it scales with the rest at any device pixel ratio.
    constexpr int inset = layout::kFocusRingInset, width = layout::kFocusRingWidth;
    const QRect r = rect().adjusted(inset, inset, -inset, -inset);
    for (const QRect& side :
         {QRect(r.left(), r.top(), r.width(), width), QRect(r.left(), r.bottom() + 1 - width, r.width(), width),
          QRect(r.left(), r.top(), width, r.height()), QRect(r.right() + 1 - width, r.top(), width, r.height())})
        painter.fillRect(side, Qt::black);
}

void PictureButton::keyPressEvent(QKeyEvent* event) {
    const bool repeat = repeats_.Repeats(*event);
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter && plain) {
        // One move per press: a held key does not repeat moves.
        if (!repeat) click();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right || event->key() == Qt::Key_Up ||
        event->key() == Qt::Key_Down) {
        event->ignore();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void PictureButton::keyReleaseEvent(QKeyEvent* event) {
    repeats_.Repeats(*event);  // a release tells the next press's kind
    QAbstractButton::keyReleaseEvent(event);
}

}  // namespace zarnik::qt
