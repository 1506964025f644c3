// The window alone: layout, pictures, fonts, focus order, and fatal requests.
#include "MainWindow.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QTest>
#include <functional>

#include "Layout.h"

namespace zarnik::qt {
namespace {

QRect Pixels(const layout::TwipRect& r) {
    using layout::ToPixels;
    return {ToPixels(r.left, 96), ToPixels(r.top, 96), ToPixels(r.width, 96), ToPixels(r.height, 96)};
}

class MainWindowTest : public ::testing::Test {
protected:
    void Show() {
        window.ShowCentred();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    MainWindow window;
};

TEST_F(MainWindowTest, EveryControlSitsWhereTheLayoutPutsItInItsFontAndOnlyTheButtonsShow) {
    Show();
    EXPECT_EQ(window.windowTitle(), "Zarnik");
    EXPECT_EQ(window.size(), QSize(316, 373));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "not resizable";
    EXPECT_EQ(window.Command1(0)->geometry(), QRect(16, 16, 57, 57));
    for (int k = 0; k < 25; ++k) {
        EXPECT_EQ(window.Command1(k)->geometry(), Pixels(layout::Command1(static_cast<CellIndex>(k)))) << k;
        EXPECT_TRUE(window.Command1(k)->isVisible()) << k;
    }
    const std::pair<QWidget*, layout::TwipRect> others[] = {
        {window.Command2(), layout::kCommand2}, {window.Label1(), layout::kLabel1},
        {window.Picture1(), layout::kPicture1}, {window.Picture2(), layout::kPicture2}};
    for (auto [widget, twips] : others) {
        EXPECT_EQ(widget->geometry(), Pixels(twips)) << widget->metaObject()->className();
        EXPECT_EQ(widget->isVisible(), widget == window.Command2()) << "only the buttons show";
    }
    EXPECT_EQ(window.Label1()->text(), "Label1");
    const QFont cell = window.Command1(3)->font(), label = window.Label1()->font();
    EXPECT_EQ(cell.family(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_TRUE(cell.pointSize() == 18 && label.pointSize() == 24);
    const QString resolved = QFontInfo(label).family();
    EXPECT_TRUE(resolved.contains("IPA") || resolved.contains(QStringLiteral("ゴシック")))
        << resolved.toStdString();
}

// At scale 1 and 2 alike: the backdrop unscaled from the top-left corner and
// a tile pixel-exact, each picture pixel a uniform block of device pixels.
TEST_F(MainWindowTest, ShowsTheBuiltInPicturesPixelExact) {
    EXPECT_EQ(window.Command2()->picture()->size(), QSize(118, 30));
    const QList<QSize> icons = window.windowIcon().availableSizes();
    EXPECT_TRUE(icons.contains(QSize(32, 32)) && icons.contains(QSize(16, 16)));
    window.SetCellPicture(6, window.HolderPicture(Holder::Picture1));
    Show();
    const int factor = qRound(window.devicePixelRatioF());
    const QImage backdrop(":/images/BackdropImage.bmp"), tile(":/images/TileStart.bmp");
    const QImage shot = window.grab().toImage().scaled(window.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    for (QPoint p : {QPoint(0, 0), QPoint(5, 300), QPoint(315, 0), QPoint(315, 372), QPoint(310, 10)})
        EXPECT_EQ(shot.pixelColor(p), backdrop.pixelColor(p)) << p.x() << "," << p.y();
    const QImage cell = window.Command1(6)->grab().toImage();
    ASSERT_EQ(cell.size(), QSize(57, 57) * factor);
    ASSERT_EQ(tile.size(), QSize(53, 53));
    for (int y = 2 * factor; y < 55 * factor; ++y)
        for (int x = 2 * factor; x < 55 * factor; ++x)
            ASSERT_EQ(cell.pixelColor(x, y), tile.pixelColor(x / factor - 2, y / factor - 2))
                << x << "," << y << " at factor " << factor;
}

TEST_F(MainWindowTest, FocusStartsOnTheFirstCellAndTabVisitsTheCellsThenTheNewGameButton) {
    Show();
    ASSERT_EQ(QApplication::focusWidget(), window.Command1(0));
    for (int k = 1; k <= 26; ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), k == 25 ? window.Command2() : window.Command1(k % 26))
            << "after " << k << " tabs";
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), window.Command2());
}

using MainWindowDeathTest = MainWindowTest;

TEST_F(MainWindowDeathTest, BadRequestsEndTheProgramWithOneClearLine) {
    const std::pair<std::function<void()>, const char*> requests[] = {
        {[&] { window.SetCellFaceColour(25, kWhite); }, "zarnik: fatal error: cell index 25 is outside 0 to 24"},
        {[&] { window.SetCellPicture(-1, window.HolderPicture(Holder::Picture1)); }, "cell index -1 is outside"},
        {[&] { window.SetCellPicture(3, *window.Command2()->picture()); },
         "cell 3 was given a picture no holder owns"},
        {[&] { window.SetCellFaceColour(0, 0x01000000); }, "face colour 16777216 is not 0x00BBGGRR"}};
    for (const auto& [request, line] : requests) EXPECT_EXIT(request(), ::testing::ExitedWithCode(1), line);
}

}  // namespace
}  // namespace zarnik::qt
