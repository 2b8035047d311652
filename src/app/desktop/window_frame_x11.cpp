#include "app/desktop/window_frame.h"

#include <QGuiApplication>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <xcb/xcb.h>

// An X11 window manager frames a window only when it is mapped, but it tells the frame it
// would add when asked (_NET_REQUEST_FRAME_EXTENTS), by setting _NET_FRAME_EXTENTS on the
// window. Other platforms report the frame through the toolkit.
namespace sw {

namespace {

template <class Reply> using Owned = std::unique_ptr<Reply, decltype(&std::free)>;
template <class Reply> Owned<Reply> own(Reply* reply)
{
    return Owned<Reply>(reply, &std::free);
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const auto reply = own(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(strlen(name)), name),
        nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The 32-bit values of a window's property, empty when it is not set.
QList<uint32_t> property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                         xcb_atom_t type)
{
    const auto reply = own(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, type, 0, 1024), nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return QList<uint32_t>(values, values + xcb_get_property_value_length(reply.get()) / 4);
}

} // namespace

QMargins expectedWindowFrame(QWindow* window)
{
    const QMargins known = window->frameMargins();
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!known.isNull() || !x11 || window->isVisible())
        return known;
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window->winId());
    const auto tree =
        own(xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr));
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    if (!tree || request == XCB_ATOM_NONE || extents == XCB_ATOM_NONE ||
        !property(connection, tree->root, atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM)
             .contains(request))
        return known;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, tree->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    // The answer takes the window manager a moment, mostly well under a millisecond: it is
    // looked for soon, then ever less often. One that never answers costs a quarter of a second
    // once, and the window is then fitted when its frame shows.
    using namespace std::chrono_literals;
    const auto giveUp = std::chrono::steady_clock::now() + 250ms;
    std::chrono::microseconds pause = 250us;
    do {
        // Left, right, top, bottom, in the screen's pixels.
        const QList<uint32_t> sides = property(connection, id, extents, XCB_ATOM_CARDINAL);
        if (sides.size() == 4) {
            const double ratio = window->devicePixelRatio();
            const auto side = [ratio](uint32_t pixels) {
                return static_cast<int>(std::ceil(pixels / ratio));
            };
            return {side(sides[0]), side(sides[2]), side(sides[1]), side(sides[3])};
        }
        std::this_thread::sleep_for(pause);
        pause = std::min<std::chrono::microseconds>(pause * 2, 8ms);
    } while (std::chrono::steady_clock::now() < giveUp);
    return known;
}

} // namespace sw
