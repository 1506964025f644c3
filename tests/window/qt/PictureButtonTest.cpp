// The picture button alone, with a two-colour picture to tell face, picture,
// frame and focus marks apart pixel by pixel.
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

// Centred at (31 - 9) / 2 = 11 across, (21 - 9) / 2 = 6 down; the focus dots
// run four pixels in, black where x + y is even.
TEST_F(PictureButtonTest, PaintsThePictureUntintedAndCentredOnAFaceOfExactlyTheAssignedColour) {
    for (auto [focus, face] : {std::pair{false, kWhite}, std::pair{true, kFace}}) {
        button->setFaceColour(face);
        focus ? button->setFocus() : button->clearFocus();
        const QImage shot = Shot();
        EXPECT_EQ(shot.pixelColor(11, 6), kYellow) << focus;
        for (QPoint p : {QPoint(12, 7), QPoint(19, 14)}) EXPECT_EQ(shot.pixelColor(p), kBlue) << focus;
        for (QPoint p : {QPoint(2, 2), QPoint(10, 6), QPoint(20, 14), QPoint(28, 18)})
            EXPECT_EQ(shot.pixelColor(p), face) << focus;
        EXPECT_EQ(shot.pixelColor(4, 4), focus ? kBlack : face);
        EXPECT_EQ(shot.pixelColor(5, 4), focus ? kWhite : face);
        EXPECT_EQ(shot.pixelColor(25, 15), focus ? kBlack : face);
    }
}

TEST_F(PictureButtonTest, HasARaisedFrameThatSinksAndShiftsThePictureWhilePressedAndCutsABigPicture) {
    const QImage up = Shot();
    EXPECT_GT(up.pixelColor(0, 0).lightness(), up.pixelColor(30, 20).lightness()) << "lit from the top left";
    button->setDown(true);
    const QImage down = Shot();
    EXPECT_LT(down.pixelColor(0, 0).lightness(), up.pixelColor(0, 0).lightness());
    EXPECT_TRUE(down.pixelColor(12, 7) == kYellow && down.pixelColor(11, 6) == up.pixelColor(2, 2)) << "shifted";
    button->setDown(false);
    QPixmap green(40, 30);
    green.fill(Qt::green);
    const QtPicture big{green};
    button->setPicture(&big);
    const QImage cut = Shot();
    for (QPoint frame : {QPoint(0, 0), QPoint(1, 1), QPoint(30, 20), QPoint(29, 19), QPoint(15, 0)})
        EXPECT_EQ(cut.pixelColor(frame), up.pixelColor(frame)) << frame.x() << "," << frame.y();
    EXPECT_TRUE(cut.pixelColor(2, 2) == QColor(Qt::green) && cut.pixelColor(28, 18) == QColor(Qt::green));
}

// A held Return does not repeat the click; Ctrl+Return is no Return.
TEST_F(PictureButtonTest, ReturnAndEnterClickOncePerPressAndChordsNotAtAll) {
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::sendKeyEvent(QTest::KeyAction::Press, button, Qt::Key_Return, '\r', Qt::NoModifier);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", true);
    QApplication::sendEvent(button, &repeat);
    QTest::keyClick(button, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(clicks.size(), 2);
}

TEST(QtPictureTest, EnlargesByTheNearestWholeFactorWithoutSmoothing) {
    const QtPicture picture(Marker());
    EXPECT_EQ(&picture.ForDevice(1.25), &picture.ForDevice(1.0));
    const QImage twice = picture.ForDevice(1.5).toImage();
    EXPECT_TRUE(twice.size() == QSize(18, 18) && picture.ForDevice(1.5).devicePixelRatio() == 2.0);
    EXPECT_TRUE(twice.pixelColor(1, 1) == kYellow && twice.pixelColor(2, 2) == kBlue) << "no blend at the edge";
}

}  // namespace
}  // namespace zarnik::qt
