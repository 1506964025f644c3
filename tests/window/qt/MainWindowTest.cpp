// The window as the toolkit of the event handlers: its fixed layout, its
// pictures and fonts, focus order, and the fatal path for bad requests.
#include "MainWindow.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QTest>

#include "Layout.h"

namespace zarnik::qt {
namespace {

QRect Pixels(const layout::TwipRect& r) {
    using layout::ToPixels;
    return {ToPixels(r.left, 96), ToPixels(r.top, 96), ToPixels(r.width, 96),
            ToPixels(r.height, 96)};
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindow window;
};

TEST_F(MainWindowTest, EveryControlSitsWhereTheLayoutPutsIt) {
    EXPECT_EQ(window.windowTitle(), "Zarnik");
    EXPECT_EQ(window.size(), QSize(316, 373));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "not resizable";
    for (int k = 0; k < 25; ++k)
        EXPECT_EQ(window.Command1(k)->geometry(), Pixels(layout::Command1(static_cast<CellIndex>(k))))
            << "cell " << k;
    EXPECT_EQ(window.Command1(0)->geometry(), QRect(16, 16, 57, 57));
    EXPECT_EQ(window.Command1(24)->geometry(), QRect(240, 240, 57, 57));
    // Neighbours share one pixel line.
    EXPECT_EQ(window.Command1(1)->x(), window.Command1(0)->geometry().right());
    EXPECT_EQ(window.Command1(5)->y(), window.Command1(0)->geometry().bottom());
    EXPECT_EQ(window.Command2()->geometry(), Pixels(layout::kCommand2));
    EXPECT_EQ(window.Command2()->y() - window.Command1(24)->geometry().bottom() - 1, 23);
    EXPECT_EQ(window.Label1()->geometry(), Pixels(layout::kLabel1));
    EXPECT_EQ(window.Picture1()->geometry(), Pixels(layout::kPicture1));
    EXPECT_EQ(window.Picture2()->geometry(), Pixels(layout::kPicture2));
}

TEST_F(MainWindowTest, OnlyTheButtonsShowAndTheLabelAndHoldersStayHidden) {
    window.ShowCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (int k = 0; k < 25; ++k) EXPECT_TRUE(window.Command1(k)->isVisible());
    EXPECT_TRUE(window.Command2()->isVisible());
    EXPECT_FALSE(window.Label1()->isVisible());
    EXPECT_FALSE(window.Picture1()->isVisible());
    EXPECT_FALSE(window.Picture2()->isVisible());
    EXPECT_EQ(window.Label1()->text(), "Label1");
}

TEST_F(MainWindowTest, ShowsTheBuiltInPicturesAtTheirOwnSize) {
    EXPECT_EQ(window.Picture1()->picture().size(), QSize(53, 53));
    EXPECT_EQ(window.Picture2()->picture().size(), QSize(53, 53));
    EXPECT_EQ(window.Command2()->picture()->size(), QSize(118, 30));
    EXPECT_NE(window.Command2()->faceColour(), QColor()) << "has a face before any refresh";

    const QList<QSize> icons = window.windowIcon().availableSizes();
    EXPECT_TRUE(icons.contains(QSize(32, 32)));
    EXPECT_TRUE(icons.contains(QSize(16, 16)));

    // The backdrop starts at the top-left corner unscaled: the window's
    // corners are the picture's own pixels there.
    const QImage backdrop(":/images/BackdropImage.bmp");
    ASSERT_EQ(backdrop.size(), QSize(321, 376));
    const QImage shot =
        window.grab().toImage().scaled(window.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    for (QPoint p : {QPoint(0, 0), QPoint(5, 300), QPoint(315, 0), QPoint(315, 372), QPoint(310, 10)})
        EXPECT_EQ(shot.pixelColor(p), backdrop.pixelColor(p)) << p.x() << "," << p.y();
}

TEST_F(MainWindowTest, TilesStaySharpOnDenseScreens) {
    // Run at QT_SCALE_FACTOR 1 and 2: the layout stays in logical pixels and
    // each picture pixel becomes a uniform block of device pixels.
    window.SetCellPicture(6, window.HolderPicture(Holder::Picture1));
    window.ShowCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const int factor = qRound(window.devicePixelRatioF());
    RecordProperty("factor", factor);
    EXPECT_EQ(window.size(), QSize(316, 373));
    const QImage cell = window.Command1(6)->grab().toImage();
    ASSERT_EQ(cell.size(), QSize(57, 57) * factor);
    const QImage tile(":/images/TileStart.bmp");
    for (int y = 2 * factor; y < 55 * factor; ++y)
        for (int x = 2 * factor; x < 55 * factor; ++x)
            ASSERT_EQ(cell.pixelColor(x, y), tile.pixelColor(x / factor - 2, y / factor - 2))
                << x << "," << y << " at factor " << factor;
}

TEST_F(MainWindowTest, HoldersKeepOneTilePictureEach) {
    const Picture& start = window.HolderPicture(Holder::Picture1);
    EXPECT_EQ(&start, &window.HolderPicture(Holder::Picture1));
    EXPECT_EQ(&start, &window.Picture1()->picture());
    EXPECT_EQ(&window.HolderPicture(Holder::Picture2), &window.Picture2()->picture());
    EXPECT_NE(&start, &window.HolderPicture(Holder::Picture2));

    window.SetCellPicture(7, window.HolderPicture(Holder::Picture2));
    EXPECT_EQ(window.Command1(7)->picture(), &window.Picture2()->picture()) << "shared, not copied";
    window.SetCellFaceColour(7, kRed);
    EXPECT_EQ(window.Command1(7)->faceColour(), QColor(255, 0, 0));
    window.SetCellFaceColour(7, 0x00804020);
    EXPECT_EQ(window.Command1(7)->faceColour(), QColor(0x20, 0x40, 0x80)) << "0x00BBGGRR";
    window.SetLabelCaption("クリアー 7");
    EXPECT_EQ(window.Label1()->text(), QStringLiteral("クリアー 7"));
}

TEST_F(MainWindowTest, UsesTheJapaneseFaceOrAStandIn) {
    const QFont cell = window.Command1(3)->font();
    EXPECT_EQ(cell.family(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(cell.pointSize(), 18);
    EXPECT_EQ(cell.weight(), QFont::Normal);
    const QFont label = window.Label1()->font();
    EXPECT_EQ(label.pointSize(), 24);
    EXPECT_EQ(label.weight(), QFont::Normal);
    const QString resolved = QFontInfo(label).family();
    EXPECT_TRUE(resolved.contains("IPA") || resolved.contains(QStringLiteral("ゴシック")))
        << resolved.toStdString();
}

TEST_F(MainWindowTest, TabVisitsTheCellsInOrderThenTheNewGameButton) {
    window.ShowCentred();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_EQ(QApplication::focusWidget(), window.Command1(0));
    for (int k = 1; k <= 25; ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* expected = k < 25 ? window.Command1(k) : window.Command2();
        ASSERT_EQ(QApplication::focusWidget(), expected) << "after " << k << " tabs";
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.Command1(0)) << "wraps round";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), window.Command2());
}

using MainWindowDeathTest = MainWindowTest;

TEST_F(MainWindowDeathTest, BadRequestsEndTheProgramWithOneClearLine) {
    EXPECT_EXIT(window.SetCellFaceColour(25, kWhite), ::testing::ExitedWithCode(1),
                "zarnik: fatal error: cell index 25 is outside 0 to 24");
    EXPECT_EXIT(window.SetCellPicture(-1, window.HolderPicture(Holder::Picture1)),
                ::testing::ExitedWithCode(1), "cell index -1 is outside 0 to 24");
    EXPECT_EXIT(window.SetCellPicture(3, *window.Command2()->picture()),
                ::testing::ExitedWithCode(1), "cell 3 was given a picture no holder owns");
    EXPECT_EXIT(window.SetCellFaceColour(0, 0x01000000), ::testing::ExitedWithCode(1),
                "face colour 16777216 is not 0x00BBGGRR");
}

}  // namespace
}  // namespace zarnik::qt
