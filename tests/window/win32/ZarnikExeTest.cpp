// Reads the cross-built Zarnik.exe: what it must carry to run as a bare file
// on Windows and to identify itself there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "PeImage.h"
#include "Resource.h"
#include "VersionInfo.h"

namespace zarnik::testing {
namespace {

const PeImage& Exe() {
    static const PeImage image = PeImage::Load(ZARNIK_EXE);
    return image;
}

std::span<const std::uint8_t> ResourceOrFail(std::uint16_t type, std::uint16_t id) {
    const auto data = Exe().Resource(type, id);
    if (!data) throw PeError("no resource " + std::to_string(type) + "/" + std::to_string(id));
    return *data;
}

std::string Lower(std::string text) {
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

constexpr std::uint16_t kJapanese = 0x0411;

TEST(ZarnikExe, IsA64BitWindowsGuiProgram) {
    EXPECT_EQ(Exe().Machine(), 0x8664);
    EXPECT_EQ(Exe().OptionalMagic(), 0x20B);
    EXPECT_EQ(Exe().Subsystem(), 2);  // GUI: no console window
}

TEST(ZarnikExe, ImportsOnlyDllsEveryWindowsHas) {
    const auto dlls = Exe().ImportedDlls();
    ASSERT_FALSE(dlls.empty());
    const std::string_view system[] = {"kernel32.dll", "user32.dll",  "gdi32.dll",
                                       "comctl32.dll", "msvcrt.dll",  "ucrtbase.dll"};
    for (const std::string& dll : dlls) {
        const std::string name = Lower(dll);
        const bool known = std::ranges::find(system, name) != std::end(system) ||
                           name.starts_with("api-ms-win-");
        // A MinGW runtime DLL here means the static link came undone.
        EXPECT_TRUE(known) << dll << " is not a Windows system DLL";
    }
    for (const char* needed : {"user32.dll", "gdi32.dll", "kernel32.dll"})
        EXPECT_NE(std::ranges::find(dlls, needed, Lower), dlls.end()) << needed;
}

TEST(ZarnikExe, VersionResourceIdentifiesZarnik102InJapanese) {
    const VersionInfo version(ResourceOrFail(PeImage::kVersionType, 1));
    const std::array<std::uint16_t, 4> v1200{1, 2, 0, 0};
    EXPECT_EQ(version.fileVersion, v1200);
    EXPECT_EQ(version.productVersion, v1200);
    ASSERT_EQ(version.strings.size(), 1u);
    ASSERT_TRUE(version.strings.contains("041104B0"));
    const std::map<std::string, std::string> expected{
        {"FileDescription", "Zarnik"}, {"FileVersion", "1.02"},
        {"InternalName", "Zarnik"},    {"OriginalFilename", "Zarnik.exe"},
        {"ProductName", "Zarnik"},     {"ProductVersion", "1.02"}};
    EXPECT_EQ(version.strings.at("041104B0"), expected);
    const std::vector<std::pair<std::uint16_t, std::uint16_t>> japaneseUnicode{{kJapanese, 1200}};
    EXPECT_EQ(version.translations, japaneseUnicode);
    EXPECT_EQ(Exe().ResourceLanguage(PeImage::kVersionType, 1), kJapanese);
}

TEST(ZarnikExe, FirstIconIsTheAppIconAt32And16PixelsWith16Colours) {
    const auto groups = Exe().ResourceIds(PeImage::kGroupIconType);
    ASSERT_FALSE(groups.empty());
    EXPECT_EQ(*std::ranges::min_element(groups), IDI_APP_ICON);  // the shell shows the lowest

    const auto group = ResourceOrFail(PeImage::kGroupIconType, IDI_APP_ICON);
    ASSERT_GE(group.size(), 6u);
    const std::size_t count = group[4] | group[5] << 8;
    ASSERT_EQ(group.size(), 6 + 14 * count);
    std::vector<int> sizes;
    for (std::size_t i = 0; i < count; ++i) {
        const auto entry = group.subspan(6 + 14 * i, 14);
        sizes.push_back(entry[0]);
        EXPECT_EQ(entry[0], entry[1]) << "square icon";
        // The image itself: a BITMAPINFOHEADER with the mask doubling the height.
        const auto image = ResourceOrFail(PeImage::kIconType, static_cast<std::uint16_t>(entry[12] | entry[13] << 8));
        ASSERT_GE(image.size(), 40u);
        EXPECT_EQ(image[4], entry[0]);
        EXPECT_EQ(image[8], 2 * entry[0]);
        EXPECT_EQ(image[14], 4) << "bits per pixel of the " << int{entry[0]} << "-pixel image";
    }
    std::ranges::sort(sizes);
    EXPECT_EQ(sizes, (std::vector<int>{16, 32}));
}

TEST(ZarnikExe, BitmapsAre24BitAtTheirOwnSizes) {
    struct Expected {
        std::uint16_t id;
        std::uint32_t width, height;
    };
    for (const Expected& bitmap : {Expected{IDB_BACKDROP, 321, 376}, Expected{IDB_TILE_START, 53, 53},
                                   Expected{IDB_TILE_TURNED, 53, 53}, Expected{IDB_RESET_FACE, 118, 30}}) {
        SCOPED_TRACE(bitmap.id);
        const auto data = ResourceOrFail(PeImage::kBitmapType, bitmap.id);
        ASSERT_GE(data.size(), 40u);
        auto u32 = [&](std::size_t at) {
            return static_cast<std::uint32_t>(data[at] | data[at + 1] << 8 | data[at + 2] << 16 |
                                              data[at + 3] << 24);
        };
        EXPECT_EQ(u32(0), 40u);  // BITMAPINFOHEADER
        EXPECT_EQ(u32(4), bitmap.width);
        EXPECT_EQ(u32(8), bitmap.height);  // positive: stored bottom-up
        EXPECT_EQ(data[14], 24);
        const std::size_t stride = (bitmap.width * 3 + 3) / 4 * 4;
        EXPECT_GE(data.size(), 40 + stride * bitmap.height) << "pixel rows missing";
        EXPECT_EQ(Exe().ResourceLanguage(PeImage::kBitmapType, bitmap.id), kJapanese);
    }
}

TEST(ZarnikExe, ManifestAsksForCommonControls6AsInvokerAndPerMonitorV2) {
    const auto data = ResourceOrFail(PeImage::kManifestType, 1);
    const std::string manifest(data.begin(), data.end());
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find(">PerMonitorV2"), std::string::npos);
    EXPECT_NE(manifest.find(">true/pm<"), std::string::npos);
    EXPECT_NE(manifest.find("<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"),
              std::string::npos)
        << "Windows 10 compatibility";
}

}  // namespace
}  // namespace zarnik::testing
