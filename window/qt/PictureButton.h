// A push button in picture style: no caption, its picture centred on a face
// of the assigned colour, inside a classic raised frame. Pressing sinks the
// frame and shifts the picture by a pixel; the focus shows as a black ring
// over the picture. The colours of the picture are never altered. Checked
// is what screen readers hear as pressed; it does not change the look.
#pragma once

#include <QAbstractButton>
#include <QColor>

#include "KeyRepeats.h"
#include "QtPicture.h"

namespace zarnik::qt {

class PictureButton final : public QAbstractButton {
    Q_OBJECT

public:
    explicit PictureButton(QWidget* parent);

    // The button keeps the pointer only; the picture's owner outlives it.
    // Null shows a bare face.
    void setPicture(const QtPicture* picture);
    const QtPicture* picture() const { return picture_; }

    void setFaceColour(const QColor& colour);
    QColor faceColour() const { return face_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Enter and Return click the focused button as Space does; the arrow
    // keys go to the window, which knows the grid.
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // A click never checks or unchecks: only the window's refresh does.
    void nextCheckState() override {}

private:
    void PaintFrame(QPainter& painter) const;
    void PaintFocus(QPainter& painter) const;

    const QtPicture* picture_ = nullptr;
    QColor face_;
    KeyRepeats repeats_;
};

}  // namespace zarnik::qt
