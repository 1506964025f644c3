// One Qt application for the whole binary, made the way the program makes
// it, offscreen. Listing the tests at build time needs none.
#include <gtest/gtest.h>

#include <optional>

#include "GuiSession.h"

namespace {

QtMessageHandler passOn = nullptr;

// The offscreen platform warns on every message box it shows; thousands of
// boxes would bury any message that matters.
void DropBoxNoise(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text == QLatin1String("This plugin does not support propagateSizeHints()")) return;
    passOn(type, context, text);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // A death test re-runs this binary for the one test, so the child gets a
    // fresh application rather than a forked copy of Qt's threads.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::optional<zarnik::qt::GuiSession> session;
    if (!GTEST_FLAG_GET(list_tests)) session.emplace(argv[0]);
    passOn = qInstallMessageHandler(DropBoxNoise);
    return RUN_ALL_TESTS();
}
