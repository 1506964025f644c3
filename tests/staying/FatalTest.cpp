// The fatal-error path of the real window: one plain line on stderr and a
// non-zero exit, never a signal or a box nobody can dismiss.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "MainWindow.h"

namespace zarnik::staying {
namespace {

bool ExitedWithFailure(int status) {
    return WIFEXITED(status) && WEXITSTATUS(status) != 0;
}

TEST(FatalDeathTest, ReportsOnStderrAndExitsNonZero) {
    EXPECT_EXIT(
        {
            qt::MainWindow window;
            window.show();
            window.Fatal("the display went away");
        },
        ExitedWithFailure, "zarnik: fatal error: the display went away\n$");
}

}  // namespace
}  // namespace zarnik::staying
