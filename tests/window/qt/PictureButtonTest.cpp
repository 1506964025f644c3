// The picture button alone, with a two-colour picture to tell face, picture,
// frame and focus ring apart pixel by pixel.
#include "PictureButton.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace zarnik::qt {
namespace {

const QColor kFace(255, 0, 0), kBlue(Qt::blue), kYellow(Qt::yellow), kBlack(Qt::black), kWhite(Qt::white);

// 9 x 9 blue, with a yellow top-left pixel to show where the picture sits.
QPixmap Marker() {
    QImage image(9, 9, QImage::Format_RGB32);
    image.fill(kBlue);
    image.setPixelColor(0, 0, kYellow);
    return QPixmap::fromImage(image);
}

class PictureButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        button->setGeometry(10, 10, 31, 21);
        button->setPicture(&marker);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QImage Shot() const {
        return button->grab().toImage().scaled(button->size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }

    QtPicture marker{Marker()};
    QWidget window;
    PictureButton* button = new PictureButton(&window);
};

// Centred at (31 - 9) / 2 = 11 across, (21 - 9) / 2 = 6 down. With the focus,
// a black ring two pixels wide runs three pixels in, over face and picture
// alike, and moves nothing.
TEST_F(PictureButtonTest, PaintsThePictureCentredOnTheFaceColourWithARingForTheFocus) {
    for (auto [focus, face] : {std::pair{false, kWhite}, std::pair{true, kFace}}) {
        SCOPED_TRACE(focus ? "focused" : "not focused");
        button->setFaceColour(face);
        focus ? button->setFocus() : button->clearFocus();
        const QImage shot = Shot();
        EXPECT_EQ(shot.pixelColor(11, 6), kYellow);
        for (QPoint p : {QPoint(12, 7), QPoint(19, 14)}) EXPECT_EQ(shot.pixelColor(p), kBlue);
        for (QPoint p : {QPoint(2, 2), QPoint(10, 6), QPoint(5, 10), QPoint(25, 10), QPoint(15, 5), QPoint(28, 18)})
            EXPECT_EQ(shot.pixelColor(p), face) << p.x() << "," << p.y();
        for (QPoint p : {QPoint(3, 10), QPoint(4, 10), QPoint(26, 10), QPoint(27, 10), QPoint(15, 3), QPoint(15, 4),
                         QPoint(15, 16), QPoint(15, 17), QPoint(3, 3), QPoint(27, 17)})
            EXPECT_EQ(shot.pixelColor(p), focus ? kBlack : face) << p.x() << "," << p.y();
    }
}

// Two rings of fixed shades: lit from the top left while up, all dark while
// down, when the picture also shifts a pixel; a picture larger than the face
// is cut by the frame.
TEST_F(PictureButtonTest, HasAClassicFrameThatSinksWhilePressedAndCutsABigPicture) {
    // Left, top, right, bottom: outer and inner ring; top-right and bottom-left corners.
    auto frame = [this] {
        const QImage s = Shot();
        std::vector<QRgb> rings;
        for (QPoint p : {QPoint(0, 10), QPoint(1, 10), QPoint(15, 0), QPoint(15, 1), QPoint(30, 10), QPoint(29, 10),
                         QPoint(15, 20), QPoint(15, 19), QPoint(30, 0), QPoint(0, 20)})
            rings.push_back(s.pixel(p) & 0xFFFFFF);
        return rings;
    };
    constexpr QRgb hi = 0xFFFFFF, light = 0xE3E3E3, shadow = 0xA0A0A0, dark = 0x696969;
    EXPECT_EQ(frame(), (std::vector{hi, light, hi, light, dark, shadow, dark, shadow, hi, dark}));
    button->setDown(true);
    EXPECT_EQ(frame(), (std::vector{dark, shadow, dark, shadow, dark, shadow, dark, shadow, dark, dark}));
    const QImage down = Shot();
    EXPECT_TRUE(down.pixelColor(12, 7) == kYellow && down.pixelColor(11, 6) != kYellow) << "shifted";
    button->setDown(false);
    QPixmap green(40, 30);
    green.fill(Qt::green);
    const QtPicture big{green};
    const std::vector<QRgb> up = frame();
    button->setPicture(&big);
    EXPECT_EQ(frame(), up);
    EXPECT_TRUE(Shot().pixelColor(2, 2) == QColor(Qt::green) && Shot().pixelColor(28, 18) == QColor(Qt::green));
}

// A held Return does not repeat the click; Ctrl+Return is no Return; a click
// never checks the button by itself.
TEST_F(PictureButtonTest, ReturnAndEnterClickOncePerPressAndChordsNotAtAll) {
    button->setCheckable(true);
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::sendKeyEvent(QTest::KeyAction::Press, button, Qt::Key_Return, '\r', Qt::NoModifier);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", true);
    QApplication::sendEvent(button, &repeat);
    QTest::keyClick(button, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(clicks.size(), 2);
    EXPECT_FALSE(button->isChecked());
}

}  // namespace
}  // namespace zarnik::qt
