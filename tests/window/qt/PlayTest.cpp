// The whole program in one process: window, event handlers and puzzle,
// played with the mouse and the keyboard, judged by what the buttons paint.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>
#include <string>

#include "BoardModel.h"
#include "Form1.h"
#include "MainWindow.h"
#include "ModalBoxCatcher.h"

namespace zarnik::qt {
namespace {

constexpr int kSolution[] = {0, 1, 5, 6, 8, 9, 12, 13, 14, 16, 17, 18, 21, 22, 24};

enum class Seen { Start, Turned, Neither };

// Reads a cell as a player would: by the colour of its tile and its face.
// The face shows only while the button is held down, as a one-pixel strip
// along the top and left of the shifted picture.
Seen Look(PictureButton* cell) {
    const QImage up = cell->grab().toImage();
    const QColor tile = up.pixelColor(up.width() / 2, up.height() / 2);
    cell->setDown(true);
    QImage down = cell->grab().toImage();
    down = down.scaled(cell->size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    cell->setDown(false);
    const QColor face = down.pixelColor(PictureButton::kFrameWidth, PictureButton::kFrameWidth);
    const bool teal = tile.green() == tile.blue() && tile.red() < tile.green() && tile.red() > 100;
    const bool red = tile.red() == 255 && tile.green() == tile.blue() && tile.green() < 160;
    if (teal && face == QColor(255, 255, 255)) return Seen::Start;
    if (red && face == QColor(255, 0, 0)) return Seen::Turned;
    return Seen::Neither;
}

class PlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.ConnectEvents(form);
        form.Form_Load();
        model.NewGame();
        window.ShowCentred();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Through the window system, as a real click arrives: hit-testing the
    // overlapping cells and modality both apply.
    void Click(int k) {
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                          window.Command1(k)->geometry().center());
        model.Press(k);
    }

    // Compares every cell's painting, picture and face with the reference.
    void ExpectBoardShown() {
        for (int k = 0; k < 25; ++k) {
            PictureButton* cell = window.Command1(k);
            const bool start = model.IsStart(k);
            EXPECT_EQ(Look(cell), start ? Seen::Start : Seen::Turned) << "cell " << k;
            EXPECT_EQ(cell->picture(), start ? &window.Picture1()->picture()
                                             : &window.Picture2()->picture());
        }
        EXPECT_EQ(window.Label1()->text(), QString::number(model.Remaining()));
    }

    MainWindow window;
    Form1 form{window};
    zarnik::testing::BoardModel model;
};

TEST_F(PlayTest, OpensOnANewGameWithTheFocusOnTheFirstCell) {
    ExpectBoardShown();
    EXPECT_EQ(window.Label1()->text(), "25");
    EXPECT_EQ(QApplication::focusWidget(), window.Command1(0));
}

TEST_F(PlayTest, MouseClicksInvertTheCellAndItsNeighbours) {
    for (int k : {12, 0, 4, 5, 24, 12, 19, 3}) {
        Click(k);
        ExpectBoardShown();
    }
    EXPECT_EQ(QApplication::focusWidget(), window.Command1(3)) << "a click takes the focus";
}

TEST_F(PlayTest, SpaceEnterAndReturnMoveTheFocusedCell) {
    QTest::keyClick(window.Command1(0), Qt::Key_Tab);
    QTest::keyClick(window.Command1(1), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), window.Command1(2));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    model.Press(2);
    ExpectBoardShown();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    model.Press(2);
    ExpectBoardShown();
    EXPECT_EQ(window.Label1()->text(), "25");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    model.Press(2);
    ExpectBoardShown();
}

TEST_F(PlayTest, TheNewGameButtonRestartsFromAnyBoardByMouseOrKey) {
    for (int k : {6, 7, 8, 18}) Click(k);
    QTest::mouseClick(window.Command2(), Qt::LeftButton);
    model.NewGame();
    ExpectBoardShown();
    for (int i = 0; i < 5; ++i) QTest::mouseClick(window.Command2(), Qt::LeftButton);
    ExpectBoardShown();

    Click(11);
    window.Command2()->setFocus();
    QTest::keyClick(window.Command2(), Qt::Key_Space);
    model.NewGame();
    ExpectBoardShown();
}

TEST_F(PlayTest, ClearingShowsTheMessageOnceOverTheRepaintedBoardAndPlayGoesOn) {
    bool allRedBehind = false, blocked = false;
    testing::ModalBoxCatcher catcher([&] {
        allRedBehind = window.Label1()->text() == "0";
        for (int k = 0; k < 25; ++k)
            allRedBehind = allRedBehind && window.Command1(k)->faceColour() == QColor(255, 0, 0);
        // The window takes no clicks while the box is up.
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                          window.Command1(12)->geometry().center());
        blocked = window.Label1()->text() == "0";
    });
    for (int k : kSolution) Click(k);
    ASSERT_EQ(catcher.boxes().size(), 1u);
    const testing::CaughtBox& box = catcher.boxes()[0];
    EXPECT_EQ(box.text, QStringLiteral("クリアー!!"));
    EXPECT_EQ(box.title, "Zarnik");
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_EQ(box.buttons, 1);
    EXPECT_TRUE(box.okIsTheButton);
    EXPECT_TRUE(box.applicationModal);
    EXPECT_TRUE(allRedBehind);
    EXPECT_TRUE(blocked);
    ExpectBoardShown();

    // Still playable: leave the cleared board and come back by keyboard.
    Click(20);
    EXPECT_EQ(window.Label1()->text(), "3");
    EXPECT_EQ(catcher.boxes().size(), 1u);
    QTest::keyClick(window.Command1(20), Qt::Key_Return);
    model.Press(20);
    EXPECT_EQ(catcher.boxes().size(), 2u) << "every clearing move announces it";
    ExpectBoardShown();

    QTest::mouseClick(window.Command2(), Qt::LeftButton);
    model.NewGame();
    ExpectBoardShown();
    EXPECT_EQ(catcher.boxes().size(), 2u);
}

TEST_F(PlayTest, ScreenReadersHearEachCellsPositionAndState) {
    auto text = [](QWidget* w, QAccessible::Text t) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        return a ? a->text(t) : QString("(none)");
    };
    EXPECT_EQ(text(window.Command1(0), QAccessible::Name), QStringLiteral("1行目 1列目"));
    EXPECT_EQ(text(window.Command1(7), QAccessible::Name), QStringLiteral("2行目 3列目"));
    EXPECT_EQ(text(window.Command1(24), QAccessible::Name), QStringLiteral("5行目 5列目"));
    EXPECT_EQ(text(window.Command2(), QAccessible::Name), QStringLiteral("リセット"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window.Command1(0))->role(),
              QAccessible::Button);

    const QString start = text(window.Command1(0), QAccessible::Description);
    Click(6);
    for (int k = 0; k < 25; ++k) {
        const QString said = text(window.Command1(k), QAccessible::Description);
        EXPECT_EQ(said == start, model.IsStart(k)) << "cell " << k;
        EXPECT_FALSE(said.isEmpty());
    }
    EXPECT_EQ(text(window.Command1(6), QAccessible::Name), QStringLiteral("2行目 2列目"));
}

}  // namespace
}  // namespace zarnik::qt
