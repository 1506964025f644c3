// One Qt application for all window tests, made as the program makes it;
// listing the tests (at build time, with no display) needs none.
#include <gtest/gtest.h>

#include <optional>
#include <string_view>

#include "GuiSession.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // --scale=N runs the whole suite at N device pixels per logical pixel.
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]).starts_with("--scale=")) qputenv("QT_SCALE_FACTOR", argv[i] + 8);
    // Death tests re-run the binary: a fresh application, not a fork of Qt's threads.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::optional<zarnik::qt::GuiSession> session;
    if (!GTEST_FLAG_GET(list_tests)) session.emplace(argv[0]);
    return RUN_ALL_TESTS();
}
