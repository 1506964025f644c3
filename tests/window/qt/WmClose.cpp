// Asks an X window to close the way a window manager's close button does,
// with a WM_DELETE_WINDOW message. Under a bare X server there is no window
// manager to do it, and destroying the window outright would not end the
// program.
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    if (!reply) {
        std::fprintf(stderr, "zarnik_wm_close: cannot look up atom %s\n", name);
        std::exit(1);
    }
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

}  // namespace

int main(int argc, char** argv) {
    char* end = nullptr;
    const unsigned long window = argc == 2 ? std::strtoul(argv[1], &end, 0) : 0;
    if (argc != 2 || *end != '\0' || window == 0) {
        std::fprintf(stderr, "usage: zarnik_wm_close WINDOW-ID\n");
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "zarnik_wm_close: cannot open the display\n");
        return 1;
    }
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>(window);
    event.type = Atom(c, "WM_PROTOCOLS");
    event.data.data32[0] = Atom(c, "WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_void_cookie_t sent = xcb_send_event_checked(
        c, 0, event.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
    if (xcb_generic_error_t* error = xcb_request_check(c, sent)) {
        std::fprintf(stderr, "zarnik_wm_close: no window %s\n", argv[1]);
        std::free(error);
        return 1;
    }
    xcb_disconnect(c);
}
