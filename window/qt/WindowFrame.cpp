#include "WindowFrame.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <poll.h>
#include <vector>
#include <xcb/xcb.h>

namespace zarnik::qt {
namespace {

template <typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

// The atoms named, asked for all at once: one round trip to the server.
template <std::size_t N>
std::array<xcb_atom_t, N> Atoms(xcb_connection_t* c, const char* const (&names)[N]) {
    std::array<xcb_intern_atom_cookie_t, N> cookies;
    for (std::size_t i = 0; i < N; ++i)
        cookies[i] = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(names[i])), names[i]);
    std::array<xcb_atom_t, N> atoms;
    for (std::size_t i = 0; i < N; ++i) {
        const Owned<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookies[i], nullptr), &std::free);
        atoms[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }
    return atoms;
}

// A property of 32-bit items (atoms, cardinals); empty while it is unset.
std::vector<std::uint32_t> Items(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
    const Owned<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, 1024), nullptr), &std::free);
    if (!reply || reply->format != 32) return {};
    const auto* items = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {items, items + xcb_get_property_value_length(reply.get()) / 4};
}

// Waits up to `timeout` for `property` of `window` to be set, as announced
// by PropertyNotify to a connection that selected it.
bool WaitForProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + timeout;
    for (;;) {
        while (const Owned<xcb_generic_event_t> event{xcb_poll_for_event(c), &std::free}) {
            const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event.get());
            if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY && notify->window == window &&
                notify->atom == property && notify->state == XCB_PROPERTY_NEW_VALUE)
                return true;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now()).count();
        pollfd ready{xcb_get_file_descriptor(c), POLLIN, 0};
        if (left <= 0 || xcb_connection_has_error(c) || ::poll(&ready, 1, static_cast<int>(left)) <= 0) return false;
    }
}

}  // namespace

QMargins ExpectedFrame(QWidget& window) {
    // The offscreen platform offers this interface too, without a connection.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* qt = x11 ? x11->connection() : nullptr;
    if (!qt) return {};
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(qt)).data->root;
    const auto [request, extents, supportedList] =
        Atoms(qt, {"_NET_REQUEST_FRAME_EXTENTS", "_NET_FRAME_EXTENTS", "_NET_SUPPORTED"});
    const qreal ratio = window.devicePixelRatioF();
    const auto margins = [&] {  // left, right, top, bottom, in device pixels, once set
        const std::vector<std::uint32_t> e = Items(qt, id, extents, XCB_ATOM_CARDINAL);
        return e.size() == 4 ? std::optional(QMargins(qRound(e[0] / ratio), qRound(e[2] / ratio), qRound(e[1] / ratio),
                                                      qRound(e[3] / ratio)))
                             : std::nullopt;
    };
    // A window the window manager has framed, or estimated a frame for, carries it.
    if (const auto known = margins()) return *known;

    // EWMH: a window manager that lists _NET_REQUEST_FRAME_EXTENTS answers it
    // by setting _NET_FRAME_EXTENTS on the still unmapped window. Qt reads
    // the events of its own connection, so the answer is waited for on one of
    // ours, which asks for it.
    const std::vector<std::uint32_t> supported = Items(qt, root, supportedList, XCB_ATOM_ATOM);
    if (request == XCB_ATOM_NONE || std::find(supported.begin(), supported.end(), request) == supported.end())
        return {};
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> own(xcb_connect(nullptr, nullptr),
                                                                           &xcb_disconnect);
    xcb_connection_t* c = own.get();
    if (xcb_connection_has_error(c)) return {};
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(c, id, XCB_CW_EVENT_MASK, &events);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
    // Window managers answer within a millisecond or two; one that does not
    // within 0.1 s gets the window placed as if unframed.
    if (!WaitForProperty(c, id, extents, std::chrono::milliseconds(100))) return {};
    return margins().value_or(QMargins());
}

void CentreFrameOn(QWidget& window, const QRect& target) {
    const QMargins frame = ExpectedFrame(window);
    QRect outer(QPoint(), window.size().grownBy(frame));
    outer.moveCenter(target.center());
    // Kept on the free area of the target's screen, or, off every screen, of
    // the window's own, should the target be near or past an edge.
    const QScreen* screen = QGuiApplication::screenAt(target.center());
    if (!screen) screen = window.screen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        outer.moveLeft(std::max(area.left(), std::min(outer.left(), area.right() + 1 - outer.width())));
        outer.moveTop(std::max(area.top(), std::min(outer.top(), area.bottom() + 1 - outer.height())));
    }
    // The client rectangle: window managers keep a client where it is asked
    // for, while what move() places depends on whether Qt knows the frame.
    window.setGeometry(outer.marginsRemoved(frame));
}

}  // namespace zarnik::qt
