#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include "ImageReader.h"

namespace zarnik::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPictures[] = {"BackdropImage.bmp", "TileStart.bmp", "TileTurned.bmp",
                                     "ResetFaceImage.bmp", "AppIcon.ico"};

class Regeneration : public ::testing::Test {
protected:
    void SetUp() override { fs::remove_all(dir), fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    // Runs the generator; its exit status, with stdout and stderr in `output`.
    int run(const std::string& args) {
        FILE* pipe = ::popen((std::string(ZARNIK_IMAGEGEN) + " " + args + " 2>&1").c_str(), "r");
        output.clear();
        for (int c; (c = std::fgetc(pipe)) != EOF;) output += static_cast<char>(c);
        const int status = ::pclose(pipe);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    const fs::path dir = fs::temp_directory_path() /
                         ("zarnik-imagegen-" + std::to_string(::getpid()) + "-" +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::string output;
};

TEST_F(Regeneration, ReproducesTheCommittedPicturesByteForByte) {
    ASSERT_EQ(run((dir / "out").string()), 0) << output;
    for (const char* name : kPictures)
        EXPECT_TRUE(readBytes(dir / "out" / name) == readBytes(committed(name)))
            << name << ": run `make images` and commit window/images";
}

TEST_F(Regeneration, ReportsMisuseAndWriteFailures) {
    EXPECT_EQ(run(""), 2);
    EXPECT_NE(output.find("usage"), std::string::npos) << output;
    std::ofstream(dir / "file") << "not a directory";
    EXPECT_EQ(run((dir / "file" / "out").string()), 1);
    EXPECT_NE(output.find("zarnik_imagegen:"), std::string::npos) << output;
}

// A second, unrelated decoder must accept every picture too.
TEST_F(Regeneration, ImageMagickReadsEveryPicture) {
    if (std::system("command -v convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick not installed";
    for (const std::string name : kPictures) {
        const std::string frames = name.ends_with(".ico") ? "[0,1]" : "";
        const std::string command = "convert '" + committed(name).string() + frames + "' info:- >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << name;
    }
}

}  // namespace
}  // namespace zarnik::testing
