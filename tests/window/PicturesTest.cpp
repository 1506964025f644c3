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

namespace zarnik::testing {
namespace {

const QString kDir = QStringLiteral(ZARNIK_IMAGES_DIR "/");

// Every pixel of `image` by its colour, in reading order.
std::vector<QRgb> Pixels(const QImage& image) {
    std::vector<QRgb> pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) pixels.push_back(image.pixel(x, y));
    return pixels;
}

// Each texture is one ramp of 25 shades, green equal to blue, red falling
// as green rises so that no shade casts another colour; the red tile is the
// pale one's mosaic with each shade swapped one for one, dark for dark.
TEST(Pictures, TexturesAreRampsOf25ShadesAndTheRedTileIsThePaleOnesMosaic) {
    struct Expected { const char* name; QSize size; QRgb darkest, lightest; int r, g; };
    for (const Expected& e : {Expected{"BackdropImage.bmp", {321, 376}, qRgb(102, 153, 153), qRgb(161, 192, 192), 131, 172},
                              Expected{"TileStart.bmp", {53, 53}, qRgb(147, 183, 183), qRgb(189, 211, 211), 167, 197},
                              Expected{"TileTurned.bmp", {53, 53}, qRgb(255, 76, 76), qRgb(255, 145, 145), 255, 110}}) {
        SCOPED_TRACE(e.name);
        const QImage image(kDir + e.name);
        ASSERT_EQ(image.size(), e.size);
        std::map<int, QRgb> byGreen;
        double r = 0, g = 0;
        for (QRgb c : Pixels(image)) {
            ASSERT_EQ(qGreen(c), qBlue(c));
            r += qRed(c), g += qGreen(c), byGreen[qGreen(c)] = c;
        }
        ASSERT_EQ(byGreen.size(), 25u) << "shades, one to a level of green";
        EXPECT_TRUE(byGreen.begin()->second == e.darkest && byGreen.rbegin()->second == e.lightest);
        for (auto it = std::next(byGreen.begin()); it != byGreen.end(); ++it)
            EXPECT_GE(qRed(it->second), qRed(std::prev(it)->second));
        EXPECT_NEAR(r / image.width() / image.height(), e.r, 3);
        EXPECT_NEAR(g / image.width() / image.height(), e.g, 3);
    }
    const std::vector<QRgb> start = Pixels(QImage(kDir + "TileStart.bmp")), turned = Pixels(QImage(kDir + "TileTurned.bmp"));
    std::map<int, QRgb> toRed;  // by the pale shade's green
    for (std::size_t i = 0; i < start.size(); ++i)
        ASSERT_EQ(toRed.emplace(qGreen(start[i]), turned[i]).first->second, turned[i]) << "one pale shade, two reds";
    for (auto it = std::next(toRed.begin()); it != toRed.end(); ++it)
        EXPECT_GT(qGreen(it->second), qGreen(std::prev(it)->second)) << "a lighter pale shade turns a lighter red";
}

// A 32 and a 16 pixel image, each an opaque checkerboard of red and white
// squares on a clear ground, red at the top left: at 32 pixels four squares
// a row in columns 1 to 29 (a silver bevel along the top and left), at 16
// two in columns 0 to 14, grey lines between and around them.
TEST(Pictures, AppIconIsAnOpaqueCheckerboardOnAClearGround) {
    QImageReader reader(kDir + "AppIcon.ico");
    ASSERT_EQ(reader.imageCount(), 2);
    struct Board { int size, lo, squares; QRgb bevel; };
    for (const Board b : {Board{32, 1, 4, qRgb(192, 192, 192)}, Board{16, 0, 2, qRgb(128, 128, 128)}}) {
        ASSERT_TRUE(reader.jumpToImage(b.size == 32 ? 0 : 1));
        const QImage im = reader.read();
        ASSERT_EQ(im.size(), QSize(b.size, b.size));
        const int hi = b.lo + 7 * b.squares;
        for (int y = 0; y < b.size; ++y)
            for (int x = 0; x < b.size; ++x) {
                const bool opaque = std::min(x, y) >= b.lo && std::max(x, y) <= hi;
                ASSERT_EQ(qAlpha(im.pixel(x, y)), opaque ? 255 : 0) << b.size << ": " << x << "," << y;
                const int dx = (x - b.lo) % 7, dy = (y - b.lo) % 7, square = (x - b.lo) / 7 + (y - b.lo) / 7;
                const QRgb want = std::min(dx, dy) == 0 ? (std::min(x, y) == b.lo ? b.bevel : qRgb(128, 128, 128))
                                  : std::min(dx, dy) == 1 && square % 2 == 0 ? qRgb(255, 255, 255)  // a red square's edge
                                  : square % 2 ? qRgb(255, 255, 255) : qRgb(255, 0, 0);
                if (opaque) { ASSERT_EQ(im.pixel(x, y), want) << b.size << ": " << x << "," << y; }
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
