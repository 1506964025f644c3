// The window alone, down to what play_on_xvfb.sh cannot see; play by real
// events is that script's part, the game's rules Form1Test's.
#include "MainWindow.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "Layout.h"

namespace zarnik::qt {
namespace {

QRect Pixels(const layout::TwipRect& twips) {
    const layout::PixelRect r = layout::ToPixels(twips, 96);
    return {r.left, r.top, r.width, r.height};
}

class MainWindowTest : public ::testing::Test {
protected:
    void Show() {
        window.ShowCentred();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // Through the window system, as a real click arrives, so modality applies.
    void Click(int k) {
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, window.Command1(k)->geometry().center());
    }
    MainWindow window;
};

TEST_F(MainWindowTest, EveryControlSitsWhereTheLayoutPutsItInItsFontAndTabOrder) {
    Show();
    EXPECT_EQ(window.size(), QSize(316, 373));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "not resizable";
    EXPECT_EQ(window.Command1(0)->geometry(), QRect(16, 16, 57, 57));
    for (int k = 0; k < 25; ++k)
        EXPECT_EQ(window.Command1(k)->geometry(), Pixels(layout::Command1(static_cast<CellIndex>(k)))) << k;
    const std::pair<QWidget*, layout::TwipRect> others[] = {
        {window.Command2(), layout::kCommand2}, {window.Label1(), layout::kLabel1},
        {window.Picture1(), layout::kPicture1}, {window.Picture2(), layout::kPicture2}};
    for (auto [widget, twips] : others) {
        EXPECT_EQ(widget->geometry(), Pixels(twips)) << widget->metaObject()->className();
        EXPECT_EQ(widget->isVisible(), widget == window.Command2()) << "only the buttons show";
    }
    const QFont cell = window.Command1(3)->font(), label = window.Label1()->font();
    EXPECT_EQ(cell.family(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_TRUE(cell.pointSize() == 18 && label.pointSize() == 24);
    const QString resolved = QFontInfo(label).family();
    EXPECT_TRUE(QFontDatabase::writingSystems(resolved).contains(QFontDatabase::Japanese))
        << "the Windows face stands for " << resolved.toStdString();
    for (int k = 1; k <= 26; ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), k == 25 ? window.Command2() : window.Command1(k % 26)) << k;
    }
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
    for (int y = 2 * factor; y < 55 * factor; ++y)
        for (int x = 2 * factor; x < 55 * factor; ++x)
            ASSERT_EQ(cell.pixelColor(x, y), tile.pixelColor(x / factor - 2, y / factor - 2))
                << x << "," << y << " at factor " << factor;
}

TEST_F(MainWindowTest, TheMessageIsAPlainBoxWithOnlyOkThatHoldsOffClicksOnTheBoard) {
    int clicks = 0;
    QObject::connect(window.Command1(12), &QAbstractButton::clicked, [&] { ++clicks; });
    Show();
    QString shown;
    QTimer catcher;
    QObject::connect(&catcher, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        shown = box->windowTitle() + "|" + box->text();
        EXPECT_TRUE(box->buttons().size() == 1 && box->standardButtons() == QMessageBox::Ok);
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_TRUE(box->button(QMessageBox::Ok)->icon().isNull()) << "a plain OK";
        EXPECT_EQ(QAccessible::queryAccessibleInterface(box)->role(), QAccessible::AlertMessage);
        EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
        Click(12);
        box->reject();
    });
    catcher.start(5);
    window.ShowMessage("クリアー!!", "Zarnik");
    EXPECT_EQ(shown, QStringLiteral("Zarnik|クリアー!!"));
    EXPECT_EQ(clicks, 0) << "the window takes no clicks while the box is up";
    Click(12);
    EXPECT_EQ(clicks, 1);
}

TEST_F(MainWindowTest, RequestsReachTheControlsAndScreenReadersHearEachCellsPositionAndState) {
    window.SetCellFaceColour(3, 0x00FF8040);  // 0x00BBGGRR
    EXPECT_EQ(window.Command1(3)->faceColour(), QColor(0x40, 0x80, 0xFF));
    window.SetLabelCaption("7");
    EXPECT_EQ(window.Label1()->text(), "7");
    auto text = [](QWidget* w, QAccessible::Text t) { return QAccessible::queryAccessibleInterface(w)->text(t); };
    ASSERT_EQ(QAccessible::queryAccessibleInterface(window.Command1(0))->role(), QAccessible::Button);
    EXPECT_EQ(text(window.Command2(), QAccessible::Name), QStringLiteral("リセット"));
    for (auto [k, name] : {std::pair{0, "1行目 1列目"}, std::pair{7, "2行目 3列目"}, std::pair{24, "5行目 5列目"}})
        EXPECT_EQ(text(window.Command1(k), QAccessible::Name), QString::fromUtf8(name));
    for (Holder holder : {Holder::Picture2, Holder::Picture1}) {
        const bool start = holder == Holder::Picture1;
        window.SetCellPicture(6, window.HolderPicture(holder));
        EXPECT_EQ(window.Command1(6)->picture(), &(start ? window.Picture1() : window.Picture2())->picture());
        EXPECT_EQ(text(window.Command1(6), QAccessible::Description), start ? "白 (未反転)" : "赤 (反転済み)");
    }
}

using MainWindowDeathTest = MainWindowTest;

TEST_F(MainWindowDeathTest, BadRequestsEndTheProgramWithOneClearLine) {
    const auto dies = ::testing::ExitedWithCode(1);
    EXPECT_EXIT(window.SetCellFaceColour(25, kWhite), dies, "zarnik: fatal error: cell index 25 is outside 0 to 24");
    EXPECT_EXIT(window.SetCellPicture(-1, window.HolderPicture(Holder::Picture1)), dies, "cell index -1 is outside");
    EXPECT_EXIT(window.SetCellPicture(3, *window.Command2()->picture()), dies, "cell 3 was given a picture no holder");
    EXPECT_EXIT(window.SetCellFaceColour(0, 0x01000000), dies, "face colour 16777216 is not 0x00BBGGRR");
}

}  // namespace
}  // namespace zarnik::qt
