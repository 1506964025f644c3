// The picture button alone, with a two-colour picture to tell face, picture,
// frame and focus marks apart pixel by pixel.
#include "PictureButton.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace zarnik::qt {
namespace {

const QColor kFace(255, 0, 0), kBlue(Qt::blue), kYellow(Qt::yellow);

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
        button->setFaceColour(kFace);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // The button as painted, at one image pixel per logical pixel.
    QImage Shot() const {
        return button->grab().toImage().scaled(button->size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }

    QtPicture marker{Marker()};
    QWidget window;
    PictureButton* button = new PictureButton(&window);
};

// Centred at (31 - 9) / 2 = 11 across, (21 - 9) / 2 = 6 down; the focus dots
// run four pixels in and leave the picture's colours alone.
TEST_F(PictureButtonTest, PaintsThePictureCentredOnAFaceOfExactlyTheAssignedColour) {
    for (bool focus : {false, true}) {
        focus ? button->setFocus() : button->clearFocus();
        const QImage shot = Shot();
        EXPECT_EQ(shot.pixelColor(11, 6), kYellow) << focus;
        for (QPoint p : {QPoint(12, 7), QPoint(19, 14), QPoint(15, 10)})
            EXPECT_EQ(shot.pixelColor(p), kBlue) << focus;
        for (QPoint p : {QPoint(2, 2), QPoint(10, 6), QPoint(20, 14), QPoint(28, 18)})
            EXPECT_EQ(shot.pixelColor(p), kFace);
        int black = 0, white = 0;
        for (int x = 4; x < 26; ++x) {
            black += shot.pixelColor(x, 4) == QColor(Qt::black);
            white += shot.pixelColor(x, 4) == QColor(Qt::white);
        }
        EXPECT_EQ(black > 5 && white > 5, focus) << black << " black and " << white << " white dots";
    }
    button->setFaceColour(Qt::white);
    EXPECT_EQ(Shot().pixelColor(2, 2), QColor(Qt::white));
    EXPECT_EQ(Shot().pixelColor(12, 7), kBlue) << "the picture is never tinted";
}

TEST_F(PictureButtonTest, HasARaisedFrameThatSinksAndShiftsThePictureWhilePressed) {
    const QImage up = Shot();
    EXPECT_GT(up.pixelColor(0, 0).lightness(), up.pixelColor(30, 20).lightness()) << "lit from the top left";
    button->setDown(true);
    const QImage down = Shot();
    EXPECT_LT(down.pixelColor(0, 0).lightness(), up.pixelColor(0, 0).lightness());
    EXPECT_EQ(down.pixelColor(12, 7), kYellow) << "picture moved by one pixel";
    EXPECT_EQ(down.pixelColor(11, 6), kFace);

    button->setDown(false);
    QPixmap green(40, 30);
    green.fill(Qt::green);
    const QtPicture big{green};
    button->setPicture(&big);
    const QImage cut = Shot();
    for (QPoint frame : {QPoint(0, 0), QPoint(1, 1), QPoint(30, 20), QPoint(29, 19), QPoint(15, 0)})
        EXPECT_EQ(cut.pixelColor(frame), up.pixelColor(frame)) << "a big picture is cut by the frame";
    EXPECT_EQ(cut.pixelColor(2, 2), QColor(Qt::green));
    EXPECT_EQ(cut.pixelColor(28, 18), QColor(Qt::green));
}

// Space, Return and keypad Enter click (as play shows); a held Return does
// not repeat the click, and chords with Return are not Return.
TEST_F(PictureButtonTest, HeldReturnClicksOnceAndChordsNotAtAll) {
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    button->setFocus();
    QTest::sendKeyEvent(QTest::KeyAction::Press, button, Qt::Key_Return, '\r', Qt::NoModifier);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", true);
    QApplication::sendEvent(button, &repeat);
    QTest::keyClick(button, Qt::Key_Return, Qt::AltModifier);
    QTest::keyClick(button, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(clicks.size(), 1);
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
