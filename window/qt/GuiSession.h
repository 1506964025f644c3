// The Qt application around the window: refuses to start without a display
// with one plain line instead of Qt's abort, keeps Qt from reading the
// command line, makes the program Japanese (locale, Qt's translation, font
// fallback), and runs the event loop.
#pragma once

#include <QApplication>
#include <QTranslator>
#include <memory>
#include <string>
#include <string_view>

#include "QuitOnSignal.h"

namespace zarnik::qt {

class GuiSession final {
public:
    // `programName` is argv[0]; nothing else of the command line reaches Qt.
    // Ends the process with kFatalExitCode if no display can be opened.
    explicit GuiSession(const char* programName);
    ~GuiSession();

    // Runs the event loop until the last window closes; the exit code.
    int Run();

    // Reports `what` on stderr, and in a message box while a display is up,
    // then ends the process with kFatalExitCode.
    [[noreturn]] static void Fatal(std::string_view what);

private:
    std::string name_;
    int argc_ = 1;
    char* argv_[2] = {nullptr, nullptr};
    std::unique_ptr<QApplication> app_;
    std::unique_ptr<QTranslator> translator_;
    std::unique_ptr<QuitOnSignal> quitOnSignal_;
};

}  // namespace zarnik::qt
