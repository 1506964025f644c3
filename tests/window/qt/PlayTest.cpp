// Window, event handlers and puzzle played by mouse and keyboard, judged by
// what the buttons paint.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "BoardModel.h"
#include "Form1.h"
#include "MainWindow.h"

namespace zarnik::qt {
namespace {

constexpr int kSolution[] = {0, 1, 5, 6, 8, 9, 12, 13, 14, 16, 17, 18, 21, 22, 24};
const QColor kRedFace(255, 0, 0), kWhiteFace(255, 255, 255);

class PlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.ConnectEvents(form);
        form.Form_Load();
        window.ShowCentred();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Through the window system, as a real click arrives: hit-testing the
    // overlapping cells and modality both apply.
    void Click(int k) {
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, window.Command1(k)->geometry().center());
        model.Press(k);
    }

    // Reads every cell as a player would, by its tile and by its face (shown
    // left and above the picture only while held down); then the counter.
    void ExpectBoardShown() {
        for (int k = 0; k < 25; ++k) {
            PictureButton* cell = window.Command1(k);
            const QImage up = cell->grab().toImage();
            const QColor tile = up.pixelColor(up.width() / 2, up.height() / 2);
            cell->setDown(true);
            const QColor face = cell->grab().toImage().scaled(cell->size()).pixelColor(2, 2);
            cell->setDown(false);
            const bool start = model.IsStart(k);
            const bool teal = tile.red() > 100 && tile.red() < tile.green();
            const bool red = tile.red() == 255 && tile.green() < 160;
            EXPECT_TRUE(tile.green() == tile.blue() && (start ? teal : red)) << k;
            EXPECT_EQ(face, start ? kWhiteFace : kRedFace) << k;
            EXPECT_EQ(cell->picture(), &(start ? window.Picture1() : window.Picture2())->picture()) << k;
        }
        EXPECT_EQ(window.Label1()->text(), QString::number(model.Remaining()));
    }

    MainWindow window;
    Form1 form{window};
    zarnik::testing::BoardModel model;
};

TEST_F(PlayTest, MouseAndKeysInvertTheCellAndItsNeighboursAndTheNewGameButtonRestarts) {
    ExpectBoardShown();
    for (int k : {12, 0, 4, 5, 24, 12, 19, 3}) {
        Click(k);
        ExpectBoardShown();
    }
    ASSERT_EQ(QApplication::focusWidget(), window.Command1(3)) << "a click takes the focus";
    for (auto [key, mods] : {std::pair{Qt::Key_Space, Qt::NoModifier}, std::pair{Qt::Key_Return, Qt::NoModifier},
                             std::pair{Qt::Key_Enter, Qt::KeypadModifier}}) {
        QTest::keyClick(QApplication::focusWidget(), key, mods);
        model.Press(3);
        ExpectBoardShown();
    }
    // The new-game button restarts from any board, by mouse or by key.
    for (int k : {6, 7, 8, 18}) Click(k);
    for (int i = 0; i < 3; ++i) QTest::mouseClick(window.Command2(), Qt::LeftButton);
    model.NewGame();
    ExpectBoardShown();
    Click(11);
    window.Command2()->setFocus();
    QTest::keyClick(window.Command2(), Qt::Key_Space);
    model.NewGame();
    ExpectBoardShown();
}

TEST_F(PlayTest, ClearingShowsTheMessageOnceOverTheRepaintedBoardAndPlayGoesOn) {
    std::vector<QString> shown;  // "title|text" of each box, dismissed with its one button
    bool allRedBehind = false, blocked = false;
    QTimer catcher;
    QObject::connect(&catcher, &QTimer::timeout, [&] {
        QMessageBox* box = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) box = b;  // modal or not
        if (!box || box->property("seen").toBool()) return;
        box->setProperty("seen", true);
        shown.push_back(box->windowTitle() + "|" + box->text());
        QAbstractButton* ok = box->buttons().value(0);
        EXPECT_TRUE(box->buttons().size() == 1 && box->standardButton(ok) == QMessageBox::Ok);
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
        allRedBehind = window.Label1()->text() == "0";
        for (int k = 0; k < 25; ++k) allRedBehind = allRedBehind && window.Command1(k)->faceColour() == kRedFace;
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, window.Command1(12)->geometry().center());
        blocked = window.Label1()->text() == "0";
        ok ? ok->click() : box->reject();
    });
    catcher.start(5);
    for (int k : kSolution) Click(k);
    EXPECT_EQ(shown, std::vector<QString>{QStringLiteral("Zarnik|クリアー!!")});
    EXPECT_TRUE(allRedBehind) << "the board is repainted first";
    EXPECT_TRUE(blocked) << "the window takes no clicks while the box is up";
    ExpectBoardShown();

    // Still playable: leave the cleared board and come back by keyboard.
    Click(20);
    QTest::keyClick(window.Command1(20), Qt::Key_Return);
    model.Press(20);
    EXPECT_EQ(shown.size(), 2u) << "once for every clearing move, and only then";
    ExpectBoardShown();
}

TEST_F(PlayTest, ScreenReadersHearEachCellsPositionAndState) {
    auto text = [](QWidget* w, QAccessible::Text t) { return QAccessible::queryAccessibleInterface(w)->text(t); };
    ASSERT_EQ(QAccessible::queryAccessibleInterface(window.Command1(0))->role(), QAccessible::Button);
    EXPECT_EQ(text(window.Command2(), QAccessible::Name), QStringLiteral("リセット"));
    for (auto [k, name] :
         {std::pair{0, "1行目 1列目"}, std::pair{7, "2行目 3列目"}, std::pair{24, "5行目 5列目"}})
        EXPECT_EQ(text(window.Command1(k), QAccessible::Name), QString::fromUtf8(name));
    const QString start = text(window.Command1(0), QAccessible::Description);
    Click(6);
    for (int k = 0; k < 25; ++k) {
        const QString said = text(window.Command1(k), QAccessible::Description);
        EXPECT_EQ(said == start, model.IsStart(k)) << "cell " << k;
        EXPECT_FALSE(said.isEmpty());
    }
}

}  // namespace
}  // namespace zarnik::qt
