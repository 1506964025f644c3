#include "QuitOnSignal.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>

#include <sys/socket.h>
#include <unistd.h>

#include "GuiSession.h"

namespace zarnik::qt {
namespace {

int fds[2] = {-1, -1};  // [0] written by the handler, [1] read by the loop
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

}  // namespace

QuitOnSignal::QuitOnSignal() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0)
        GuiSession::Fatal("socketpair failed: " + std::string(std::strerror(errno)));
    notifier_ = new QSocketNotifier(fds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [] {
        char byte;
        [[maybe_unused]] const auto n = ::read(fds[1], &byte, 1);
        QCoreApplication::quit();
    });

    struct sigaction action = {};
    action.sa_handler = Handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals)
        if (::sigaction(signal, &action, nullptr) != 0)
            GuiSession::Fatal("sigaction failed: " + std::string(std::strerror(errno)));
}

QuitOnSignal::~QuitOnSignal() {
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    for (int signal : kSignals) ::sigaction(signal, &action, nullptr);
    ::close(fds[0]);
    ::close(fds[1]);
}

void QuitOnSignal::Handle(int) {
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(fds[0], &byte, 1);
}

}  // namespace zarnik::qt
