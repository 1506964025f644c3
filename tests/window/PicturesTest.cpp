// The committed pictures in window/images, decoded by Qt's own BMP and ICO
// readers (which share nothing with our generator): the shades of the
// textures, the red tile as the same mosaic, the lettering, the icon, and
// that the generator still makes every file byte for byte.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <map>
#include <set>

namespace zarnik::testing {
namespace {

const QString kDir = QStringLiteral(ZARNIK_IMAGES_DIR "/");

QImage Load(const char* name) {
    QImage image(kDir + name);
    EXPECT_FALSE(image.isNull()) << name;
    return image;
}

// Each texture is one ramp of 25 shades with green equal to blue, ordered by
// red and green alike, so that no shade casts another colour.
TEST(Pictures, TexturesAreRampsOf25ShadesWithGreenEqualToBlue) {
    struct Expected { const char* name; QSize size; QRgb darkest, lightest; int r, g; };
    for (const Expected& e : {Expected{"BackdropImage.bmp", {321, 376}, qRgb(102, 153, 153), qRgb(161, 192, 192), 131, 172},
                              Expected{"TileStart.bmp", {53, 53}, qRgb(147, 183, 183), qRgb(189, 211, 211), 167, 197},
                              Expected{"TileTurned.bmp", {53, 53}, qRgb(255, 76, 76), qRgb(255, 145, 145), 255, 110}}) {
        SCOPED_TRACE(e.name);
        const QImage image = Load(e.name);
        ASSERT_EQ(image.size(), e.size);
        std::map<int, QRgb> byGreen;
        double r = 0, g = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                ASSERT_EQ(qGreen(c), qBlue(c)) << x << "," << y;
                r += qRed(c), g += qGreen(c);
                byGreen[qGreen(c)] = c;
            }
        ASSERT_EQ(byGreen.size(), 25u) << "shades (one per green level)";
        EXPECT_EQ(byGreen.begin()->second, e.darkest);
        EXPECT_EQ(byGreen.rbegin()->second, e.lightest);
        for (auto it = std::next(byGreen.begin()); it != byGreen.end(); ++it)
            EXPECT_GE(qRed(it->second), qRed(std::prev(it)->second)) << "red falls as green rises";
        const double n = image.width() * image.height();
        EXPECT_NEAR(r / n, e.r, 3);
        EXPECT_NEAR(g / n, e.g, 3);
    }
}

TEST(Pictures, TileTurnedIsTheSameMosaicInRedDarkToDark) {
    const QImage start = Load("TileStart.bmp"), turned = Load("TileTurned.bmp");
    std::map<int, QRgb> toRed;  // by the teal's green: darkest first
    for (int y = 0; y < start.height(); ++y)
        for (int x = 0; x < start.width(); ++x) {
            const auto [it, fresh] = toRed.emplace(qGreen(start.pixel(x, y)), turned.pixel(x, y));
            ASSERT_EQ(it->second, turned.pixel(x, y)) << "one teal, two reds, at " << x << "," << y;
        }
    for (auto it = std::next(toRed.begin()); it != toRed.end(); ++it)
        EXPECT_GT(qGreen(it->second), qGreen(std::prev(it)->second)) << "a lighter teal turns a lighter red";
}

// リセット in black with grey edges on the tile mosaic: centred, big enough
// to read, clear of the button's frame.
TEST(Pictures, ResetFaceIsCentredBlackLetteringWithGreyEdgesOnTheMosaic) {
    const QImage face = Load("ResetFaceImage.bmp"), tile = Load("TileStart.bmp");
    ASSERT_EQ(face.size(), QSize(118, 30));
    std::set<QRgb> teal;
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x) teal.insert(tile.pixel(x, y));
    QRect ink;
    int black = 0, grey = 0;
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x) {
            const QRgb c = face.pixel(x, y);
            if (teal.contains(c)) continue;
            ASSERT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c)) << "neither mosaic nor grey at " << x << "," << y;
            ++(qRed(c) == 0 ? black : grey);
            ink |= QRect(x, y, 1, 1);
        }
    EXPECT_TRUE(black > 150 && grey > 150) << black << " black (strokes), " << grey << " grey (smoothed edges)";
    EXPECT_LE(std::abs(ink.left() - (face.width() - 1 - ink.right())), 2) << "columns " << ink.left() << "-" << ink.right();
    EXPECT_LE(std::abs(ink.top() - (face.height() - 1 - ink.bottom())), 2) << "rows " << ink.top() << "-" << ink.bottom();
    EXPECT_TRUE(ink.width() >= 60 && ink.height() >= 18) << "too small to read";
    EXPECT_TRUE(ink.left() >= 4 && ink.top() >= 2) << "too close to the frame";
}

// A 32 and a 16 pixel image: an opaque checkerboard of red and white squares
// between grey lines, the top-left square red, each red square with a white
// edge along its own top and left; at 32 pixels a silver bevel stands for
// the top and left grey line. Everything else is transparent.
TEST(Pictures, AppIconIsAnOpaqueCheckerboardOnAClearGround) {
    QImageReader reader(kDir + "AppIcon.ico");
    ASSERT_EQ(reader.imageCount(), 2);
    struct Board { int size, first, squares; QRgb bevel; };
    for (const Board b : {Board{32, 2, 4, qRgb(192, 192, 192)}, Board{16, 1, 2, qRgb(128, 128, 128)}}) {
        SCOPED_TRACE(b.size);
        ASSERT_TRUE(reader.jumpToImage(b.size == 32 ? 0 : 1));
        const QImage im = reader.read();
        ASSERT_EQ(im.size(), QSize(b.size, b.size));
        const int lo = b.first - 1, hi = lo + 7 * b.squares;
        for (int y = 0; y < b.size; ++y)
            for (int x = 0; x < b.size; ++x)
                ASSERT_EQ(qAlpha(im.pixel(x, y)), std::min(x, y) >= lo && std::max(x, y) <= hi ? 255 : 0) << x << "," << y;
        for (int line = 0; line <= b.squares; ++line)
            for (int p = b.first, at = lo + 7 * line; p <= hi; ++p) {
                const QRgb want = line == 0 ? b.bevel : qRgb(128, 128, 128);
                EXPECT_TRUE(im.pixel(at, p) == want && im.pixel(p, at) == want) << "line " << line << " at " << p;
            }
        for (int row = 0; row < b.squares; ++row)
            for (int col = 0; col < b.squares; ++col) {
                const int x = b.first + 7 * col, y = b.first + 7 * row;
                const QRgb inside = (row + col) % 2 == 0 ? qRgb(255, 0, 0) : qRgb(255, 255, 255);
                EXPECT_TRUE(im.pixel(x + 3, y + 3) == inside && im.pixel(x + 5, y + 5) == inside) << col << "," << row;
                EXPECT_TRUE(im.pixel(x, y + 3) == qRgb(255, 255, 255) && im.pixel(x + 3, y) == qRgb(255, 255, 255));
            }
    }
}

TEST(Pictures, TheGeneratorReproducesEveryFileByteForByteAndReportsMisuse) {
    QTemporaryDir dir;
    QProcess run;
    run.start(ZARNIK_IMAGEGEN, {dir.path()});
    ASSERT_TRUE(run.waitForFinished() && run.exitCode() == 0) << run.readAllStandardError().toStdString();
    for (const char* name : {"BackdropImage.bmp", "TileStart.bmp", "TileTurned.bmp", "ResetFaceImage.bmp", "AppIcon.ico"}) {
        QFile fresh(dir.filePath(name)), committed(kDir + name);
        ASSERT_TRUE(fresh.open(QIODevice::ReadOnly) && committed.open(QIODevice::ReadOnly));
        EXPECT_TRUE(fresh.readAll() == committed.readAll()) << name << ": run `make images` and commit them";
    }
    run.start(ZARNIK_IMAGEGEN, {});
    EXPECT_TRUE(run.waitForFinished() && run.exitCode() == 2 && run.readAllStandardError().contains("usage"));
    run.start(ZARNIK_IMAGEGEN, {kDir + "AppIcon.ico/out"});  // a path under a file
    EXPECT_TRUE(run.waitForFinished() && run.exitCode() == 1 && run.readAllStandardError().contains("zarnik_imagegen:"));
}

}  // namespace
}  // namespace zarnik::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);  // lets QImageReader find the ICO plugin
    return RUN_ALL_TESTS();
}
