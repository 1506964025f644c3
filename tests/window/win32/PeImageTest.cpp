// The reader must turn a damaged file into a clear error, not a crash or a
// wrong answer, since the executable tests rely on what it reads.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "PeImage.h"
#include "VersionInfo.h"

namespace zarnik::testing {
namespace {

std::vector<std::uint8_t> ExeBytes() {
    std::ifstream file(ZARNIK_EXE, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

template <typename F>
std::string ErrorOf(F&& f) {
    try {
        f();
    } catch (const PeError& error) {
        return error.what();
    }
    return "no error";
}

TEST(PeImage, NamesTheProblemWithAFileThatIsNoExecutable) {
    EXPECT_EQ(ErrorOf([] { PeImage::Load("/nonexistent/Zarnik.exe"); }),
              "cannot open /nonexistent/Zarnik.exe");
    EXPECT_EQ(ErrorOf([] { PeImage(std::vector<std::uint8_t>(64, 'x')); }),
              "not a PE file: no MZ signature");
    EXPECT_NE(ErrorOf([] { PeImage(std::vector<std::uint8_t>{'M', 'Z'}); }).find("truncated"),
              std::string::npos);
}

TEST(PeImage, ReportsATruncatedExecutableInsteadOfReadingPastTheEnd) {
    std::vector<std::uint8_t> bytes = ExeBytes();
    ASSERT_GT(bytes.size(), 4096u);
    bytes.resize(0x100);  // the headers start but do not finish
    EXPECT_NE(ErrorOf([&] { PeImage{bytes}; }).find("truncated file"), std::string::npos);

    // Intact headers, but the sections they point at are gone.
    bytes = ExeBytes();
    bytes.resize(0x400);
    const std::string error = ErrorOf([&] { PeImage(bytes).ImportedDlls(); });
    EXPECT_TRUE(error.find("truncated") != std::string::npos ||
                error.find("no section") != std::string::npos)
        << error;
}

TEST(VersionInfo, RejectsBlocksWhoseLengthsDoNotFit) {
    const std::vector<std::uint8_t> tooLong{0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 'V', 0};
    EXPECT_EQ(ErrorOf([&] { VersionInfo{tooLong}; }), "version block has a bad length");
    EXPECT_EQ(ErrorOf([] { VersionInfo{std::vector<std::uint8_t>{1}}; }),
              "version resource truncated");
}

}  // namespace
}  // namespace zarnik::testing
