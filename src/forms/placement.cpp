#include "forms/placement.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "forms/twips.h"

namespace motoreckon {

namespace {

// How long a window manager that says it tells a window's frame before it is shown may take
// to do so.
constexpr int kFrameExtentsWaitMs = 500;

template <class Reply>
using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const XcbReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// A property of `window`; none when it has none or the window is gone (the error is ours, not
// a report for the event queue).
XcbReply<xcb_get_property_reply_t> property(xcb_connection_t* connection, xcb_window_t window,
                                            xcb_atom_t name, xcb_atom_t type) {
    xcb_generic_error_t* error = nullptr;
    XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, name, type, 0, 1024), &error),
        &std::free);
    std::free(error);
    return reply;
}

// Whether a window manager runs on the display of `root`: one names a window of its own on the
// root window (_NET_SUPPORTING_WM_CHECK), and that window names itself the same way. A window
// manager that was killed leaves the root's properties behind, but its window went with it.
bool windowManagerRuns(xcb_connection_t* connection, xcb_window_t root) {
    const xcb_atom_t check = atom(connection, "_NET_SUPPORTING_WM_CHECK");
    const auto named = [connection, check](xcb_window_t window) {
        const auto reply = property(connection, window, check, XCB_ATOM_WINDOW);
        if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4) {
            return xcb_window_t{XCB_WINDOW_NONE};
        }
        return *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
    };
    const xcb_window_t own = named(root);
    return own != XCB_WINDOW_NONE && named(own) == own;
}

// Asks the X11 window manager which frame it will put around `window`, not yet shown
// (_NET_REQUEST_FRAME_EXTENTS), and waits for its answer (_NET_FRAME_EXTENTS), a bounded time.
// None when the display is not X11, no window manager runs there, or the one that runs does
// not answer.
QMargins frameExtentsBeforeShow(QWidget* window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return {};
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window->winId());
    const XcbReply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr), &std::free);
    if (!tree) return {};
    const xcb_window_t root = tree->root;
    if (!windowManagerRuns(connection, root)) return {};

    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    const auto supported =
        property(connection, root, atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    if (!supported || supported->format != 32) return {};
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(supported.get()));
    const int count = xcb_get_property_value_length(supported.get()) / 4;
    if (std::find(atoms, atoms + count, request) == atoms + count) return {};

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);

    const QDeadlineTimer deadline(kFrameExtentsWaitMs);
    do {
        const auto answer = property(connection, id, extents, XCB_ATOM_CARDINAL);
        if (answer && answer->format == 32 && xcb_get_property_value_length(answer.get()) == 16) {
            // Left, right, top, bottom, in the display's pixels.
            const auto* sides =
                static_cast<const std::uint32_t*>(xcb_get_property_value(answer.get()));
            const qreal ratio = window->devicePixelRatioF();
            const auto scaled = [ratio](std::uint32_t pixels) { return qRound(pixels / ratio); };
            return QMargins(scaled(sides[0]), scaled(sides[2]), scaled(sides[1]), scaled(sides[3]));
        }
        QThread::msleep(1);
    } while (!deadline.hasExpired());
    return {};
}

}  // namespace

float ScreenTwips::Width() const { return pixelsToTwips(screen_->geometry().width()); }

float ScreenTwips::Height() const { return pixelsToTwips(screen_->geometry().height()); }

float FrameTwips::Width() const { return pixelsToTwips(area_->window()->frameGeometry().width()); }

float FrameTwips::Height() const {
    return pixelsToTwips(area_->window()->frameGeometry().height());
}

float FrameTwips::ScaleWidth() const { return pixelsToTwips(area_->viewport()->width()); }

float FrameTwips::ScaleHeight() const { return pixelsToTwips(area_->viewport()->height()); }

float WindowTwips::Width() const {
    return pixelsToTwips(window_->width() + frame_.left() + frame_.right());
}

float WindowTwips::Height() const {
    return pixelsToTwips(window_->height() + frame_.top() + frame_.bottom());
}

void WindowTwips::SetLeft(float left) {
    const QRect geometry = window_->geometry();
    window_->setGeometry(
        QRect(QPoint(twipsToPixels(left) + frame_.left(), geometry.y()), geometry.size()));
}

void WindowTwips::SetTop(float top) {
    const QRect geometry = window_->geometry();
    window_->setGeometry(
        QRect(QPoint(geometry.x(), twipsToPixels(top) + frame_.top()), geometry.size()));
}

QMargins frameMargins(QWidget* window) {
    if (!window->isWindow()) return {};
    // A window manager of X11 puts its frame around a window only once it is shown; before
    // that only asking it tells.
    if (!window->isVisible() && QGuiApplication::platformName() == QLatin1String("xcb")) {
        return frameExtentsBeforeShow(window);
    }
    const QWindow* handle = window->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

QWidget* formWindow(QWidget* form) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget())) return sub;
    return form;
}

}  // namespace motoreckon
