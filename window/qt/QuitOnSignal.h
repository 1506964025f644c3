// Turns SIGTERM, SIGINT and SIGHUP into an orderly quit of the event loop, so
// that a session logging out or `kill` ends the game with exit code 0 rather
// than by the signal. A signal handler may only write to a pipe; the event
// loop picks the byte up and quits from there.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace zarnik::qt {

class QuitOnSignal final : public QObject {
public:
    // Installs the handlers; at most one instance, made after QApplication.
    QuitOnSignal();
    ~QuitOnSignal() override;

private:
    static void Handle(int signal);

    QSocketNotifier* notifier_;
};

}  // namespace zarnik::qt
