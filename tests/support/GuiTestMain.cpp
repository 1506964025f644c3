// The offscreen window tests' main: one Qt application made as the program makes
// it (none to list the tests); --scale=N runs them at N device pixels a pixel.
#include <gtest/gtest.h>

#include <QString>
#include <optional>
#include <string_view>

#include "GuiSession.h"

namespace {
QtMessageHandler passOn = nullptr;
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]).starts_with("--scale=")) qputenv("QT_SCALE_FACTOR", argv[i] + 8);
    // Death tests re-run the binary: a fresh application, not a fork of Qt's threads.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::optional<zarnik::qt::GuiSession> session;
    if (!GTEST_FLAG_GET(list_tests)) session.emplace(argv[0]);
    // The offscreen platform warns at every message box; thousands would bury what matters.
    passOn = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (text != QLatin1String("This plugin does not support propagateSizeHints()")) passOn(type, context, text);
    });
    return RUN_ALL_TESTS();
}
