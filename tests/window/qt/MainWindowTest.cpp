// The window alone, down to what the real games on Xvfb (tests/window/play.sh)
// cannot see; the rules are the model check's part.
#include "MainWindow.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QImageReader>
#include <QTest>
#include <algorithm>

#include "WindowFrame.h"

namespace zarnik::qt {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void Show() {
        window.ShowCentred();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    MainWindow window;
};

// The geometry stated apart from the layout data, so that a slip there shows.
TEST_F(MainWindowTest, ControlsSitWhereThePlayerExpectsThem) {
    Show();
    EXPECT_EQ(window.size(), QSize(316, 373));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "not resizable";
    for (int k : {0, 4, 12, 20, 24})
        EXPECT_EQ(window.Command1(k)->geometry(), QRect(16 + 56 * (k % 5), 16 + 56 * (k / 5), 57, 57)) << k;
    EXPECT_EQ(window.Command2()->geometry(), QRect(104, 320, 121, 33));
    EXPECT_FALSE(window.Label1()->isVisible() || window.Picture1()->isVisible() || window.Picture2()->isVisible());
    // Nothing lies over a button to take its clicks (cells share their edges).
    for (int k = 0; k <= 25; ++k) {
        QWidget* button = k < 25 ? static_cast<QWidget*>(window.Command1(k)) : window.Command2();
        const QRect inner = button->geometry().adjusted(1, 1, -1, -1);
        for (QPoint corner : {inner.topLeft(), inner.topRight(), inner.bottomLeft(), inner.bottomRight()})
            EXPECT_EQ(window.childAt(corner), button) << k;
    }
}

// The tree screen readers walk: the 26 buttons in tab order, named by their
// place, the cells check boxes, the press they offer described in Japanese.
TEST_F(MainWindowTest, ScreenReadersFindTheButtonsInTabOrder) {
    Show();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(qApp)->childCount(), 1);
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(&window);
    ASSERT_EQ(tree->childCount(), 26);
    EXPECT_EQ(tree->child(26), nullptr);
    for (int k = 0; k < 26; ++k) {
        QAccessibleInterface* button = tree->child(k);
        ASSERT_TRUE(button && button->object() == window.Control(k) && tree->indexOfChild(button) == k) << k;
        const std::string name(k < 25 ? std::string_view(layout::CellName(static_cast<CellIndex>(k)))
                                      : layout::kCommand2Name);
        EXPECT_EQ(button->text(QAccessible::Name).toStdString(), name) << k;
        EXPECT_EQ(button->role(), k < 25 ? QAccessible::CheckBox : QAccessible::Button) << k;
    }
    EXPECT_EQ(tree->child(7)->text(QAccessible::Name).toStdString(), "2行目 3列目");  // stated apart from the layout
    const QString press =
        tree->child(12)->actionInterface()->localizedActionDescription(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(std::ranges::any_of(press, [](QChar c) { return c.unicode() > 0x7F; }))
        << "in English: " << press.toStdString();
}

// Centred on a corner, the window keeps to the free area, its top left first.
TEST_F(MainWindowTest, StaysOnTheFreeAreaOfTheScreen) {
    const QRect area = window.screen()->availableGeometry();
    CentreFrameOn(window, QRect(area.bottomRight(), QSize(1, 1)));
    EXPECT_EQ(window.geometry().bottomRight(), area.bottomRight());
    CentreFrameOn(window, QRect(area.topLeft() - QPoint(100, 100), QSize(1, 1)));
    EXPECT_EQ(window.geometry().topLeft(), area.topLeft());
}

// At scale 1 and 2: the backdrop unscaled and a focused cell pixel-exact, each
// pixel a block of device pixels: the raised frame (two rings, lit from the
// top left), the tile, the black focus ring two pixels wide, three in.
TEST_F(MainWindowTest, ShowsTheBuiltInPicturesPixelExact) {
    EXPECT_EQ(window.Command2()->picture()->size(), QSize(118, 30));
    QImageReader icon(ZARNIK_IMAGES_DIR "/AppIcon.ico");  // the committed files, by Qt's own readers
    for (int n = 0; n < icon.imageCount(); ++n) {
        ASSERT_TRUE(icon.jumpToImage(n));
        const QImage want = icon.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(window.windowIcon().pixmap(want.size(), 1.0).toImage().convertToFormat(want.format()), want);
    }
    window.SetCellPicture(6, window.HolderPicture(Holder::Picture1));
    window.Command1(6)->setFocus();
    Show();
    const int factor = qRound(window.devicePixelRatioF());
    const QImage backdrop(ZARNIK_IMAGES_DIR "/BackdropImage.bmp"), tile(ZARNIK_IMAGES_DIR "/TileStart.bmp");
    const QImage shot = window.grab().toImage().scaled(window.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    for (QPoint p : {QPoint(0, 0), QPoint(5, 300), QPoint(315, 0), QPoint(315, 372), QPoint(310, 10)})
        EXPECT_EQ(shot.pixelColor(p), backdrop.pixelColor(p)) << p.x() << "," << p.y();
    const QImage cell = window.Command1(6)->grab().toImage();
    ASSERT_EQ(cell.size(), QSize(57, 57) * factor);
    const layout::Bevel& b = layout::kBevel;
    const Colour frame[2][2] = {{b.darkShadow, b.highlight}, {b.shadow, b.light}};  // by ring, then lit
    for (int y = 0; y < 57 * factor; ++y)
        for (int x = 0; x < 57 * factor; ++x) {
            const int px = x / factor, py = y / factor, inset = std::min({px, py, 56 - px, 56 - py});
            const bool lit = (px == inset || py == inset) && py != 56 - inset;
            const QColor want = inset < 2                  ? QColor::fromRgb(ToRgb(frame[inset][lit]))
                                : inset == 3 || inset == 4 ? QColor(Qt::black)
                                                           : tile.pixelColor(px - 2, py - 2);
            ASSERT_EQ(cell.pixelColor(x, y).name(), want.name()) << x << "," << y << " at factor " << factor;
        }
}

using MainWindowDeathTest = MainWindowTest;

TEST_F(MainWindowDeathTest, BadRequestsEndTheProgramWithOneClearLine) {
    const auto dies = ::testing::ExitedWithCode(kFatalExitCode);
    EXPECT_EXIT(window.SetCellFaceColour(kCells, kWhite), dies, "zarnik: fatal error: cell index");
    EXPECT_EXIT(window.SetCellPicture(-1, window.HolderPicture(Holder::Picture1)), dies,
                "zarnik: fatal error: cell index");
    EXPECT_EXIT(window.SetCellPicture(3, *window.Command2()->picture()), dies, "zarnik: fatal error: cell 3");
    EXPECT_EXIT(window.SetCellFaceColour(0, 0x01000000), dies, "zarnik: fatal error: face colour");
}

}  // namespace
}  // namespace zarnik::qt
