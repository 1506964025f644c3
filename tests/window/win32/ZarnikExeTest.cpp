// What the cross-built Zarnik.exe must carry to run as a bare file on Windows and to identify
// itself there, read by a PE reader of our own that names what is wrong with a damaged file.
#include <gmock/gmock.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "Resource.h"

namespace zarnik::testing {
namespace {

struct PeError : std::runtime_error { using std::runtime_error::runtime_error; };

using Bytes = std::span<const std::uint8_t>;

void Need(Bytes data, std::size_t at, std::size_t size, const char* what) {
    if (at > data.size() || size > data.size() - at)
        throw PeError(std::string("truncated ") + what + " at " + std::to_string(at));
}

std::uint32_t Le(Bytes data, std::size_t at, std::size_t size, const char* what = "data") {
    Need(data, at, size, what);
    std::uint32_t value = 0;
    while (size-- > 0) value = value << 8 | data[at + size];
    return value;
}

class PeImage {
public:
    // `keep` cuts the file short, as a damaged copy would be.
    static PeImage Load(const std::string& path, std::size_t keep = SIZE_MAX) {
        std::ifstream file(path, std::ios::binary);
        if (!file) throw PeError("cannot open " + path);
        std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
        bytes.resize(std::min(keep, bytes.size()));
        return PeImage(std::move(bytes));
    }

    explicit PeImage(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {
        Need(bytes_, 0, 64, "file: DOS header");
        if (bytes_[0] != 'M' || bytes_[1] != 'Z') throw PeError("not a PE file: no MZ signature");
        const std::size_t pe = U(0x3C, 4), optional = pe + 24;
        if (U(pe, 4) != 0x4550) throw PeError("no PE signature at " + std::to_string(pe));
        if (U(optional, 2) != 0x20B) throw PeError("not a PE32+ optional header");
        machine = U(pe + 4, 2), subsystem = U(optional + 68, 2);
        if (U(optional + 108, 4) > 2) importRva_ = U(optional + 120, 4), resourceRva_ = U(optional + 128, 4);
        for (std::size_t i = 0, at = optional + U(pe + 20, 2); i < U(pe + 6, 2); ++i, at += 40)
            sections_.push_back({U(at + 12, 4), std::max(U(at + 8, 4), U(at + 16, 4)), U(at + 20, 4)});
    }

    std::uint32_t machine = 0, subsystem = 0;

    std::vector<std::string> ImportedDlls() const {
        std::vector<std::string> names;
        for (std::uint32_t rva = importRva_; rva != 0 && U(Offset(rva, 20) + 12, 4) != 0; rva += 20) {
            const auto name = bytes_.begin() + Offset(U(Offset(rva, 20) + 12, 4), 1);
            const auto end = std::find(name, bytes_.end(), 0);
            if (end == bytes_.end()) throw PeError("unterminated DLL name");
            names.emplace_back(name, end);
            for (char& c : names.back()) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return names;  // in lower case: Windows ignores the case
    }

    // The lowest id among the resources of `type`, first in their sorted directory.
    std::uint32_t FirstId(std::uint32_t type) const { return Directory(Subdirectory(0, type)).at(0).first; }

    // The data and the language of resource type/id in its first language.
    std::pair<Bytes, std::uint32_t> Find(std::uint32_t type, std::uint32_t id) const {
        const auto languages = Directory(Subdirectory(Subdirectory(0, type), id));
        if (languages.empty() || (languages[0].second & kSub)) throw PeError("no data");
        const std::size_t entry = Offset(resourceRva_ + languages[0].second, 16), size = U(entry + 4, 4);
        return {Bytes(bytes_).subspan(Offset(U(entry, 4), size), size), languages[0].first};
    }

private:
    using Entry = std::pair<std::uint32_t, std::uint32_t>;  // id, offset (top bit: subdirectory)
    static constexpr std::uint32_t kSub = 0x80000000u;

    std::uint32_t U(std::size_t at, std::size_t size) const { return Le(bytes_, at, size, "file"); }
    std::size_t Offset(std::uint32_t rva, std::size_t size) const {
        for (const auto& [start, length, raw] : sections_) {
            if (rva < start || rva - start >= length) continue;
            Need(bytes_, raw + (rva - start), size, "file: section data");
            return raw + (rva - start);
        }
        throw PeError("address " + std::to_string(rva) + " lies in no section");
    }
    std::uint32_t Subdirectory(std::uint32_t directory, std::uint32_t key) const {
        const auto entries = Directory(directory);
        const auto it = std::ranges::find(entries, key, &Entry::first);
        if (it == entries.end() || !(it->second & kSub)) throw PeError("no resource " + std::to_string(key));
        return it->second;
    }
    std::vector<Entry> Directory(std::uint32_t offset) const {
        if (resourceRva_ == 0) return {};
        const std::size_t at = Offset(resourceRva_ + (offset & ~kSub), 16);
        std::vector<Entry> entries(U(at + 12, 2) + U(at + 14, 2));
        for (std::size_t i = 0; i < entries.size(); ++i) entries[i] = {U(at + 16 + 8 * i, 4), U(at + 20 + 8 * i, 4)};
        return entries;
    }

    std::vector<std::uint8_t> bytes_;
    std::vector<std::array<std::uint32_t, 3>> sections_;  // address, size, file offset
    std::uint32_t importRva_ = 0, resourceRva_ = 0;
};

// A VS_VERSIONINFO resource: file and product version (most significant part
// first), the string tables by key, and the Translation pairs flattened.
struct VersionInfo {
    std::array<std::uint32_t, 8> versions{};
    std::map<std::string, std::map<std::string, std::string>> strings;
    std::vector<std::uint32_t> translation;

    explicit VersionInfo(Bytes data) : data_(data) { Walk(0, data.size()); }

private:
    std::uint32_t U16(std::size_t at) const { return Le(data_, at, 2, "version resource"); }
    std::string Text(std::size_t at, std::size_t end) const {  // ASCII, the rest as '?'
        std::string text;
        for (std::uint32_t c; at + 2 <= end && (c = U16(at)) != 0; at += 2) text += c < 0x80 ? char(c) : '?';
        return text;
    }
    static std::size_t Align4(std::size_t at) { return (at + 3) & ~std::size_t{3}; }

    void Walk(std::size_t at, std::size_t end) {
        const std::size_t length = U16(at), valueBytes = U16(at + 2) * (U16(at + 4) == 1 ? 2 : 1);
        if (length < 6 || at + length > end) throw PeError("version block has a bad length");
        end = at + length;
        path_.push_back(Text(at + 6, end));
        const std::size_t value = Align4(at + 8 + 2 * path_.back().size());
        if (value + valueBytes > end) throw PeError("version value runs past its block");
        if (path_.size() == 1) {
            if (path_[0] != "VS_VERSION_INFO" || valueBytes < 52 || Le(data_, value, 4) != 0xFEEF04BD)
                throw PeError("no VS_VERSION_INFO block with fixed file info");
            for (std::size_t i = 0; i < 8; ++i) versions[i] = U16(value + 8 + 4 * (i / 2) + 2 * (1 - i % 2));
        } else if (path_.size() == 4 && path_[1] == "StringFileInfo") {
            strings[path_[2]][path_[3]] = Text(value, value + valueBytes);
        } else if (path_.size() == 3 && path_[2] == "Translation") {
            for (std::size_t i = 0; i + 2 <= valueBytes; i += 2) translation.push_back(U16(value + i));
        }
        for (std::size_t child = Align4(value + valueBytes); child + 6 <= end; child = Align4(child + U16(child)))
            Walk(child, end);
        path_.pop_back();
    }

    Bytes data_;
    std::vector<std::string> path_;  // keys from the root to the block being read
};

constexpr std::uint16_t kBitmap = 2, kIcon = 3, kGroupIcon = 14, kVersion = 16, kManifest = 24, kJapanese = 0x411;

const PeImage& Exe() {
    static const PeImage image = PeImage::Load(ZARNIK_EXE);
    return image;
}

// Every resource of Zarnik.exe is Japanese.
Bytes ResourceOf(std::uint16_t type, std::uint32_t id) {
    const auto [data, language] = Exe().Find(type, id);
    EXPECT_EQ(language, kJapanese) << "resource " << type << "/" << id;
    return data;
}
TEST(PeImage, NamesWhatIsWrongWithADamagedFile) {
    auto says = [](const char* start) { return ::testing::ThrowsMessage<PeError>(::testing::StartsWith(start)); };
    EXPECT_THAT([] { PeImage::Load("/nonexistent/Zarnik.exe"); }, says("cannot open /nonexistent/Zarnik.exe"));
    EXPECT_THAT([] { PeImage(std::vector<std::uint8_t>(64, 'x')); }, says("not a PE file: no MZ signature"));
    EXPECT_THAT([] { PeImage::Load(ZARNIK_EXE, 0x100); }, says("truncated file at "));  // headers cut short
    EXPECT_THAT([] { PeImage::Load(ZARNIK_EXE, 0x400).ImportedDlls(); }, says("truncated file: section data"));
    EXPECT_THAT([] { VersionInfo(std::vector<std::uint8_t>{0xFF, 0, 0, 0, 0, 0, 'V', 0}); }, says("version block"));
}

TEST(ZarnikExe, IsA64BitWindowsGuiProgramImportingOnlySystemDlls) {
    EXPECT_EQ(Exe().machine, 0x8664);
    EXPECT_EQ(Exe().subsystem, 2);  // GUI: no console window
    const std::set<std::string> system{"kernel32.dll", "user32.dll", "gdi32.dll",
                                       "comctl32.dll", "msvcrt.dll", "ucrtbase.dll"};
    const std::vector<std::string> dlls = Exe().ImportedDlls();
    // A MinGW runtime DLL here (libstdc++, libgcc, libwinpthread) means the static link came undone.
    for (const std::string& dll : dlls)
        EXPECT_TRUE(system.contains(dll) || dll.starts_with("api-ms-win-")) << dll << " is no system DLL";
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
    EXPECT_EQ(Exe().FirstId(kGroupIcon), IDI_APP_ICON);  // the shell shows the lowest
    // A BITMAPINFOHEADER: its size, width, height (positive: bottom-up; an
    // icon's mask doubles it), bits per pixel; then the rows.
    auto check = [](Bytes image, std::uint32_t width, std::uint32_t height, std::uint32_t bits) {
        EXPECT_EQ((std::vector{Le(image, 0, 4), Le(image, 4, 4), Le(image, 8, 4), Le(image, 14, 2)}),
                  (std::vector<std::uint32_t>{40, width, height, bits}));
        EXPECT_GE(image.size(), 40 + (width * bits + 31) / 32 * 4 * (bits == 24 ? height : height / 2));
    };
    const auto group = ResourceOf(kGroupIcon, IDI_APP_ICON);
    ASSERT_EQ(group.size(), 6 + 14 * Le(group, 4, 2));
    std::set<std::uint32_t> sizes;
    for (std::size_t at = 6; at < group.size(); at += 14) {
        sizes.insert(group[at]);
        EXPECT_EQ(group[at], group[at + 1]) << "square";
        check(ResourceOf(kIcon, Le(group, at + 12, 2)), group[at], 2u * group[at], 4);
    }
    EXPECT_EQ(sizes, (std::set<std::uint32_t>{16, 32}));
    const std::uint32_t bitmaps[][3] = {
        {IDB_BACKDROP, 321, 376}, {IDB_TILE_START, 53, 53}, {IDB_TILE_TURNED, 53, 53}, {IDB_RESET_FACE, 118, 30}};
    for (const auto& [id, width, height] : bitmaps) check(ResourceOf(kBitmap, id), width, height, 24);
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
