// The picture button alone: its keys. (How it paints is judged in the
// window, pixel by pixel, and in the real games.)
#include "PictureButton.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace zarnik::qt {
namespace {

class PictureButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QWidget window;
    PictureButton* button = new PictureButton(&window);
};

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
