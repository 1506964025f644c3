#include "WindowFrame.h"

#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

namespace zarnik::qt {
namespace {

template <typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    const Owned<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
                              nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// A property of 32-bit items (atoms, cardinals); empty while it is unset.
std::vector<std::uint32_t> Items(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                                 xcb_atom_t type) {
    const Owned<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, 1024), nullptr),
        &std::free);
    if (!reply || reply->format != 32) return {};
    const auto* items = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {items, items + xcb_get_property_value_length(reply.get()) / 4};
}

}  // namespace

QMargins ExpectedFrame(QWidget& window) {
    // The offscreen platform offers this interface too, without a connection.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return {};
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;

    // EWMH: a window manager that lists _NET_REQUEST_FRAME_EXTENTS answers it
    // by setting _NET_FRAME_EXTENTS on the still unmapped window.
    const xcb_atom_t request = Atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = Atom(c, "_NET_FRAME_EXTENTS");
    const std::vector<std::uint32_t> supported = Items(c, root, Atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    if (request == XCB_ATOM_NONE || std::find(supported.begin(), supported.end(), request) == supported.end())
        return {};
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);

    // Qt reads the connection's events, so the answer is polled for rather
    // than waited on; window managers answer within a millisecond or two.
    // One that does not within 0.1 s gets the window placed as if unframed.
    const qreal ratio = window.devicePixelRatioF();
    for (int attempt = 0; attempt < 50; ++attempt) {
        const std::vector<std::uint32_t> e = Items(c, id, extents, XCB_ATOM_CARDINAL);
        if (e.size() == 4)  // left, right, top, bottom, in device pixels
            return QMargins(qRound(e[0] / ratio), qRound(e[2] / ratio), qRound(e[1] / ratio),
                            qRound(e[3] / ratio));
        QThread::msleep(2);
    }
    return {};
}

void CentreFrameOn(QWidget& window, const QRect& target) {
    const QMargins frame = ExpectedFrame(window);
    QRect outer(QPoint(), window.size().grownBy(frame));
    outer.moveCenter(target.center());
    // Kept on the screen, should the target be near its edge.
    if (const QScreen* screen = QGuiApplication::screenAt(target.center())) {
        const QRect area = screen->availableGeometry();
        outer.moveLeft(std::max(area.left(), std::min(outer.left(), area.right() + 1 - outer.width())));
        outer.moveTop(std::max(area.top(), std::min(outer.top(), area.bottom() + 1 - outer.height())));
    }
    // The client rectangle: window managers keep a client where it is asked
    // for, while what move() places depends on whether Qt knows the frame.
    window.setGeometry(outer.marginsRemoved(frame));
}

}  // namespace zarnik::qt
