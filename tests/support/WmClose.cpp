// Asks an X window to close with WM_DELETE_WINDOW, as a window manager's close
// button does: a bare X server has none, and killing the window is no close.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zarnik_wm_close WINDOW-ID\n");
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    auto atom = [c](const char* name) -> xcb_atom_t {
        auto* reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return atom;
    };
    xcb_client_message_event_t event{};  // data32[1], the time, stays XCB_CURRENT_TIME (0)
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0));  // 0 if not a number
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    xcb_generic_error_t* error = xcb_request_check(
        c, xcb_send_event_checked(c, 0, event.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event)));
    if (xcb_connection_has_error(c) || error || event.window == 0 || event.type == XCB_ATOM_NONE) {
        std::fprintf(stderr, "zarnik_wm_close: cannot send WM_DELETE_WINDOW to %s\n", argv[1]);
        return 1;
    }
    xcb_disconnect(c);
}
