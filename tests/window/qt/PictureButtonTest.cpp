// The picture button alone, with a small two-colour picture so that face,
// picture, frame and focus marks can be told apart pixel by pixel.
#include "PictureButton.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace zarnik::qt {
namespace {

// 9 x 9 blue, with a yellow top-left pixel to show where the picture sits.
QPixmap Marker() {
    QImage image(9, 9, QImage::Format_RGB32);
    image.fill(Qt::blue);
    image.setPixelColor(0, 0, Qt::yellow);
    return QPixmap::fromImage(image);
}

class PictureButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(100, 100);
        button = new PictureButton(&window);
        button->setGeometry(10, 10, 31, 21);
        button->setPicture(&marker);
        button->setFaceColour(QColor(255, 0, 0));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // The button as painted, at one image pixel per logical pixel.
    QImage Shot() const {
        QImage image = button->grab().toImage();
        return image.scaled(button->size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }

    QtPicture marker{Marker()};
    QWidget window;
    PictureButton* button = nullptr;
};

TEST_F(PictureButtonTest, PaintsThePictureCentredOnAFaceOfExactlyTheAssignedColour) {
    const QImage shot = Shot();
    // (31 - 9) / 2 = 11 across, (21 - 9) / 2 = 6 down.
    EXPECT_EQ(shot.pixelColor(11, 6), QColor(Qt::yellow));
    EXPECT_EQ(shot.pixelColor(12, 7), QColor(Qt::blue));
    EXPECT_EQ(shot.pixelColor(19, 14), QColor(Qt::blue));
    for (QPoint face : {QPoint(2, 2), QPoint(10, 6), QPoint(20, 14), QPoint(28, 18)})
        EXPECT_EQ(shot.pixelColor(face), QColor(255, 0, 0)) << face.x() << "," << face.y();

    button->setFaceColour(QColor(255, 255, 255));
    EXPECT_EQ(Shot().pixelColor(2, 2), QColor(255, 255, 255));
    EXPECT_EQ(Shot().pixelColor(12, 7), QColor(Qt::blue)) << "the picture is never tinted";
}

TEST_F(PictureButtonTest, HasARaisedFrameThatSinksAndShiftsThePictureWhilePressed) {
    QImage up = Shot();
    const QColor topLeftUp = up.pixelColor(0, 0), bottomRightUp = up.pixelColor(30, 20);
    EXPECT_GT(topLeftUp.lightness(), bottomRightUp.lightness()) << "lit from the top left";
    EXPECT_NE(topLeftUp, QColor(255, 0, 0));

    button->setDown(true);
    const QImage down = Shot();
    EXPECT_LT(down.pixelColor(0, 0).lightness(), topLeftUp.lightness());
    EXPECT_EQ(down.pixelColor(12, 7), QColor(Qt::yellow)) << "picture moved by one pixel";
    EXPECT_EQ(down.pixelColor(11, 6), QColor(255, 0, 0));
}

TEST_F(PictureButtonTest, APictureLargerThanTheFaceIsCutByTheFrame) {
    const QImage bare = Shot();
    QPixmap green(40, 30);
    green.fill(Qt::green);
    QtPicture big{green};
    button->setPicture(&big);
    const QImage shot = Shot();
    for (QPoint frame : {QPoint(0, 0), QPoint(1, 1), QPoint(30, 20), QPoint(29, 19), QPoint(15, 0)})
        EXPECT_EQ(shot.pixelColor(frame), bare.pixelColor(frame)) << frame.x() << "," << frame.y();
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(Qt::green));
    EXPECT_EQ(shot.pixelColor(28, 18), QColor(Qt::green));
}

TEST_F(PictureButtonTest, ShowsADottedFocusFrameOnlyWhileFocused) {
    button->clearFocus();
    ASSERT_FALSE(button->hasFocus());
    const QImage unfocused = Shot();
    button->setFocus();
    ASSERT_TRUE(button->hasFocus());
    const QImage focused = Shot();
    // The dots run along the frame 4 pixels in, over the face and picture.
    int black = 0, white = 0;
    for (int x = 4; x < 26; ++x) {
        const QColor c = focused.pixelColor(x, 4);
        black += c == QColor(Qt::black);
        white += c == QColor(Qt::white);
    }
    EXPECT_GT(black, 5);
    EXPECT_GT(white, 5);
    EXPECT_EQ(focused.pixelColor(15, 10), unfocused.pixelColor(15, 10)) << "inside left alone";
    EXPECT_EQ(unfocused.pixelColor(8, 4), QColor(255, 0, 0));
}

TEST_F(PictureButtonTest, MouseSpaceEnterAndReturnClickOncePerPress) {
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    button->setFocus();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks.size(), 1);
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(clicks.size(), 2);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(clicks.size(), 3);
    QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(clicks.size(), 4);

    // A held key repeats presses; only the first one clicks.
    QTest::sendKeyEvent(QTest::KeyAction::Press, button, Qt::Key_Return, '\r', Qt::NoModifier);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", true);
    QApplication::sendEvent(button, &repeat);
    EXPECT_EQ(clicks.size(), 5);

    // Chords are not Return: Alt+Return and Ctrl+Return leave the button alone.
    QTest::keyClick(button, Qt::Key_Return, Qt::AltModifier);
    QTest::keyClick(button, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(clicks.size(), 5);
}

TEST(QtPictureTest, EnlargesByWholeFactorsWithoutSmoothing) {
    const QtPicture picture(Marker());
    EXPECT_EQ(picture.size(), QSize(9, 9));
    EXPECT_EQ(&picture.ForDevice(1.0), &picture.ForDevice(1.25)) << "rounds to one";

    const QPixmap& twice = picture.ForDevice(2.0);
    EXPECT_EQ(&twice, &picture.ForDevice(2.0)) << "cached";
    EXPECT_EQ(twice.size(), QSize(18, 18));
    EXPECT_EQ(twice.devicePixelRatio(), 2.0) << "paints at its logical size";
    const QImage image = twice.toImage();
    for (QPoint p : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
        EXPECT_EQ(image.pixelColor(p), QColor(Qt::yellow));
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::blue)) << "no blend at the edge";
    EXPECT_EQ(picture.ForDevice(1.5).size(), QSize(18, 18));
    EXPECT_EQ(picture.ForDevice(3.0).size(), QSize(27, 27));
}

}  // namespace
}  // namespace zarnik::qt
