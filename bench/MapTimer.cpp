// Times a program's start-up the way a player feels it: from the moment it is
// launched to the moment its first top-level window is mapped on the X
// display, then reads its resident memory once it has settled.
//
//   map_timer SETTLE_MS PROGRAM [ARGS...]
// prints "map_ms=<ms> rss_kb=<kB>" and ends the program with SIGTERM.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

long ResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "map_timer: %s\n", what);
    std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) Fail("usage: map_timer SETTLE_MS PROGRAM [ARGS...]");
    const int settle_ms = std::atoi(argv[1]);

    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) Fail("cannot open the X display");
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    pid_t pid;
    const auto start = std::chrono::steady_clock::now();
    if (posix_spawn(&pid, argv[2], nullptr, nullptr, argv + 2, environ) != 0) Fail("cannot start the program");

    double map_ms = -1;
    const int fd = xcb_get_file_descriptor(c);
    while (map_ms < 0) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 20000) <= 0) break;  // 20 s: the program never mapped
        while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(e);
            if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY && !map->override_redirect && map_ms < 0)
                map_ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            std::free(e);
        }
        if (xcb_connection_has_error(c)) break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(settle_ms));
    const long rss = ResidentKb(pid);
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    xcb_disconnect(c);
    if (map_ms < 0) Fail("the program mapped no window");
    std::printf("map_ms=%.2f rss_kb=%ld\n", map_ms, rss);
    return 0;
}
