#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "ImageReader.h"
#include "Shades.h"

namespace zarnik::testing {
namespace {

struct Expected {
    const char* name;
    int width, height;
};

void PrintTo(const Expected& e, std::ostream* os) { *os << e.name; }

class BitmapFormatTest : public ::testing::TestWithParam<Expected> {};

TEST_P(BitmapFormatTest, IsA24BitBottomUpBitmapOfTheRightSize) {
    const Expected e = GetParam();
    const auto path = committedImage(e.name);
    const BmpFile bmp = readBmp(path);
    const std::uint32_t stride = (static_cast<std::uint32_t>(e.width) * 3 + 3) / 4 * 4;

    EXPECT_EQ(bmp.width, e.width);
    EXPECT_EQ(bmp.height, e.height) << "height must be positive: rows stored bottom-up";
    EXPECT_EQ(bmp.planes, 1);
    EXPECT_EQ(bmp.pixelOffset, 54u);
    EXPECT_EQ(bmp.reserved, 0u);
    EXPECT_EQ(bmp.sizeImage, stride * e.height);
    EXPECT_EQ(bmp.fileSize, 54 + stride * e.height);
    EXPECT_EQ(readBytes(path).size(), bmp.fileSize);
    EXPECT_EQ(bmp.xPelsPerMeter, 3780);
    EXPECT_EQ(bmp.yPelsPerMeter, 3780);
    EXPECT_EQ(bmp.colorsUsed, 0u);
    EXPECT_TRUE(bmp.paddingZero);
}

INSTANTIATE_TEST_SUITE_P(Pictures, BitmapFormatTest,
                         ::testing::Values(Expected{"BackdropImage.bmp", 321, 376},
                                           Expected{"TileStart.bmp", 53, 53},
                                           Expected{"TileTurned.bmp", 53, 53},
                                           Expected{"ResetFaceImage.bmp", 118, 30}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             return name.substr(0, name.find('.'));
                         });

TEST(ImageReaderTest, RejectsWhatIsNotABitmapOrAnIcon) {
    EXPECT_THROW(readBmp(committedImage("AppIcon.ico")), std::runtime_error);
    EXPECT_THROW(readIco(committedImage("TileStart.bmp")), std::runtime_error);
    EXPECT_THROW(readBmp(committedImage("NoSuchPicture.bmp")), std::runtime_error);
}

}  // namespace
}  // namespace zarnik::testing
