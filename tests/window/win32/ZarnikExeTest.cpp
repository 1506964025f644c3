// Reads the cross-built Zarnik.exe: what it must carry to run as a bare file
// on Windows and to identify itself there; and that the reader turns a damaged
// file into a clear error rather than a crash or a wrong answer.
#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "PeImage.h"
#include "Resource.h"

namespace zarnik::testing {
namespace {

constexpr std::uint16_t kBitmap = 2, kIcon = 3, kGroupIcon = 14, kVersion = 16, kManifest = 24, kJapanese = 0x411;

const PeImage& Exe() {
    static const PeImage image = PeImage::Load(ZARNIK_EXE);
    return image;
}

// Every resource of Zarnik.exe is Japanese.
Bytes ResourceOf(std::uint16_t type, std::uint32_t id) {
    const auto found = Exe().Find(type, id);
    if (!found) throw PeError("no resource " + std::to_string(type) + "/" + std::to_string(id));
    EXPECT_EQ(found->second, kJapanese) << "resource " << type << "/" << id;
    return found->first;
}

TEST(PeImage, NamesWhatIsWrongWithADamagedFile) {
    const std::pair<void (*)(), std::string> cases[] = {
        {[] { PeImage::Load("/nonexistent/Zarnik.exe"); }, "cannot open /nonexistent/Zarnik.exe"},
        {[] { PeImage(std::vector<std::uint8_t>(64, 'x')); }, "not a PE file: no MZ signature"},
        {[] { PeImage(std::vector<std::uint8_t>{'M', 'Z'}); }, "truncated file: DOS header: 64 bytes"},
        {[] { PeImage::Load(ZARNIK_EXE, 0x100); }, "truncated file"},  // headers cut short
        {[] { PeImage::Load(ZARNIK_EXE, 0x400).ImportedDlls(); }, "truncated file: section data"},
        {[] { VersionInfo(std::vector<std::uint8_t>{0xFF, 0, 0, 0, 0, 0, 'V', 0}); }, "version block has a bad"},
        {[] { VersionInfo(std::vector<std::uint8_t>{1}); }, "truncated version resource"},
    };
    for (const auto& [damage, expected] : cases) {
        std::string error = "no error";
        try {
            damage();
        } catch (const PeError& e) {
            error = e.what();
        }
        EXPECT_TRUE(error.starts_with(expected)) << error << "\n  expected: " << expected;
    }
}

TEST(ZarnikExe, IsA64BitWindowsGuiProgramImportingOnlySystemDlls) {
    EXPECT_EQ(Exe().machine, 0x8664);
    EXPECT_EQ(Exe().subsystem, 2);  // GUI: no console window
    const std::set<std::string> system{"kernel32.dll", "user32.dll", "gdi32.dll",
                                       "comctl32.dll", "msvcrt.dll", "ucrtbase.dll"};
    std::vector<std::string> dlls = Exe().ImportedDlls();
    for (std::string& dll : dlls) {
        std::ranges::transform(dll, dll.begin(), [](unsigned char c) { return std::tolower(c); });
        // A MinGW runtime DLL here (libstdc++, libgcc, libwinpthread) means the static link came undone.
        EXPECT_TRUE(system.contains(dll) || dll.starts_with("api-ms-win-")) << dll << " is no system DLL";
    }
    for (const char* needed : {"user32.dll", "gdi32.dll", "kernel32.dll"})
        EXPECT_NE(std::ranges::find(dlls, needed), dlls.end()) << needed;
}

TEST(ZarnikExe, VersionResourceIdentifiesZarnik102InJapanese) {
    const VersionInfo version(ResourceOf(kVersion, 1));
    EXPECT_EQ(version.versions, (std::array<std::uint32_t, 8>{1, 2, 0, 0, 1, 2, 0, 0}));
    const std::map<std::string, std::map<std::string, std::string>> strings{
        {"041104B0",
         {{"FileDescription", "Zarnik"}, {"FileVersion", "1.02"}, {"InternalName", "Zarnik"},
          {"OriginalFilename", "Zarnik.exe"}, {"ProductName", "Zarnik"}, {"ProductVersion", "1.02"}}}};
    EXPECT_EQ(version.strings, strings);
    EXPECT_EQ(version.translation, (std::vector<std::uint32_t>{kJapanese, 1200}));
}

TEST(ZarnikExe, CarriesTheAppIconAndTheFourBitmapsAtTheirSizesAndDepths) {
    const auto groups = Exe().ResourceIds(kGroupIcon);
    ASSERT_FALSE(groups.empty());
    EXPECT_EQ(*std::ranges::min_element(groups), IDI_APP_ICON);  // the shell shows the lowest

    // A BITMAPINFOHEADER: its size, width, height (an icon's mask doubles it), bits per pixel; then the rows.
    auto check = [](Bytes image, std::uint32_t width, std::uint32_t height, int bits) {
        EXPECT_EQ(Le(image, 0, 4), 40u);
        EXPECT_EQ(Le(image, 4, 4), width);
        EXPECT_EQ(Le(image, 8, 4), height);  // positive: stored bottom-up
        EXPECT_EQ(Le(image, 14, 2), bits);
        EXPECT_GE(image.size(), 40 + (width * bits + 31) / 32 * 4 * (bits == 24 ? height : height / 2))
            << "pixel rows missing";
    };
    const auto group = ResourceOf(kGroupIcon, IDI_APP_ICON);
    ASSERT_EQ(group.size(), 6 + 14 * Le(group, 4, 2));
    std::set<int> sizes;
    for (std::size_t at = 6; at < group.size(); at += 14) {
        SCOPED_TRACE("icon of " + std::to_string(group[at]) + " pixels");
        sizes.insert(group[at]);
        EXPECT_EQ(group[at], group[at + 1]) << "square";
        check(ResourceOf(kIcon, Le(group, at + 12, 2)), group[at], 2u * group[at], 4);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32}));

    const std::uint32_t bitmaps[][3] = {
        {IDB_BACKDROP, 321, 376}, {IDB_TILE_START, 53, 53}, {IDB_TILE_TURNED, 53, 53}, {IDB_RESET_FACE, 118, 30}};
    for (const auto& [id, width, height] : bitmaps) {
        SCOPED_TRACE("bitmap " + std::to_string(id));
        check(ResourceOf(kBitmap, id), width, height, 24);
    }
}

TEST(ZarnikExe, ManifestAsksForCommonControls6AsInvokerAndPerMonitorV2) {
    const auto data = ResourceOf(kManifest, 1);
    const std::string manifest(data.begin(), data.end());
    for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                             "level=\"asInvoker\"", ">PerMonitorV2", ">true/pm<",
                             "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"})  // Windows 10
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
}

}  // namespace
}  // namespace zarnik::testing
