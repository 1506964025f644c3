// A push button in picture style: no caption, its picture centred on a face
// of the assigned colour, inside a classic raised frame. Pressing sinks the
// frame and shifts the picture by a pixel; the focus shows as a dotted
// rectangle over the picture. The colours of the picture are never altered.
#pragma once

#include <QAbstractButton>
#include <QColor>

#include "QtPicture.h"

namespace zarnik::qt {

class PictureButton final : public QAbstractButton {
public:
    explicit PictureButton(QWidget* parent);

    // The button keeps the pointer only; the picture's owner outlives it.
    // Null shows a bare face.
    void setPicture(const QtPicture* picture);
    const QtPicture* picture() const { return picture_; }

    void setFaceColour(const QColor& colour);
    QColor faceColour() const { return face_; }

    QSize sizeHint() const override;

    // Width of the raised frame in logical pixels, on each side.
    static constexpr int kFrameWidth = 2;

protected:
    void paintEvent(QPaintEvent* event) override;
    // Enter and Return click the focused button as Space does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void PaintFrame(QPainter& painter) const;
    void PaintFocus(QPainter& painter) const;

    const QtPicture* picture_ = nullptr;
    QColor face_;
};

}  // namespace zarnik::qt
