#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>

#include "ImageReader.h"
#include "Shades.h"

namespace zarnik::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPictures[] = {"BackdropImage.bmp", "TileStart.bmp", "TileTurned.bmp",
                                     "ResetFaceImage.bmp", "AppIcon.ico"};

class Generator : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("zarnik-imagegen-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs a shell command; returns its exit status and keeps its stderr.
    int run(const std::string& args) {
        const std::string command = std::string(ZARNIK_IMAGEGEN) + " " + args + " 2>" + (dir / "stderr").string();
        const int status = std::system(command.c_str());
        std::ifstream err(dir / "stderr");
        std::stringstream text;
        text << err.rdbuf();
        errors = text.str();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path dir;
    std::string errors;
};

TEST_F(Generator, ReproducesTheCommittedPicturesByteForByte) {
    ASSERT_EQ(run((dir / "out").string()), 0) << errors;
    for (const char* name : kPictures) {
        SCOPED_TRACE(name);
        const auto fresh = readBytes(dir / "out" / name);
        const auto committed = readBytes(committedImage(name));
        EXPECT_EQ(fresh.size(), committed.size());
        EXPECT_TRUE(fresh == committed) << "run `make images` and commit window/images";
    }
}

TEST_F(Generator, ReportsMisuseAndWriteFailures) {
    EXPECT_EQ(run(""), 2);
    EXPECT_NE(errors.find("usage"), std::string::npos) << errors;

    std::ofstream(dir / "file") << "not a directory";
    EXPECT_EQ(run((dir / "file" / "out").string()), 1);
    EXPECT_NE(errors.find("zarnik_imagegen:"), std::string::npos) << errors;
}

// A second, unrelated decoder must accept every picture too.
TEST(ThirdPartyDecoder, ImageMagickReadsEveryPicture) {
    if (std::system("command -v convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick not installed";
    for (const char* name : kPictures) {
        const std::string frames = std::string(name).ends_with(".ico") ? "[0,1]" : "";
        const std::string command = "convert '" + committedImage(name).string() + frames + "' info:- >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << name;
    }
}

}  // namespace
}  // namespace zarnik::testing
