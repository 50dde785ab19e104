#include "window_centring.h"

#include <QDeadlineTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

// ---- the frame as the X11 window manager announces it ------------------------------------

struct X11 {
    xcb_connection_t* connection = nullptr;
    xcb_window_t window = 0;
};

std::optional<X11> x11Of(QWidget* window)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return std::nullopt;
    }
    auto* native = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!native || !native->connection() || !window->windowHandle()) {
        return std::nullopt;
    }
    return X11{native->connection(), static_cast<xcb_window_t>(window->winId())};
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, false, static_cast<uint16_t>(qstrlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// _NET_FRAME_EXTENTS: left, right, top, bottom, in device pixels.
std::optional<QMargins> frameExtents(const X11& x11)
{
    const xcb_atom_t extents = atom(x11.connection, "_NET_FRAME_EXTENTS");
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(x11.connection, false, x11.window, extents, XCB_ATOM_CARDINAL, 0, 4);
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
        xcb_get_property_reply(x11.connection, cookie, nullptr), &free);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16) {
        return std::nullopt;
    }
    const auto* value = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return QMargins(int(value[0]), int(value[2]), int(value[1]), int(value[3]));
}

xcb_window_t rootOf(const X11& x11)
{
    const std::unique_ptr<xcb_get_geometry_reply_t, decltype(&free)> geometry(
        xcb_get_geometry_reply(x11.connection, xcb_get_geometry(x11.connection, x11.window),
                               nullptr),
        &free);
    return geometry ? geometry->root : xcb_window_t(XCB_WINDOW_NONE);
}

bool managerSupports(const X11& x11, xcb_window_t root, xcb_atom_t hint)
{
    const xcb_atom_t supported = atom(x11.connection, "_NET_SUPPORTED");
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(x11.connection, false, root, supported, XCB_ATOM_ATOM, 0, 1024);
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
        xcb_get_property_reply(x11.connection, cookie, nullptr), &free);
    if (!reply || reply->format != 32) {
        return false;
    }
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(atoms, atoms + count, hint) != atoms + count;
}

// Asks the manager what frame it will draw round a window not mapped yet. The answer comes
// as a property change the manager makes in its own time; a manager that supports the
// request answers in a few milliseconds, and the wait for it is bounded.
std::optional<QMargins> requestFrameExtents(const X11& x11)
{
    const xcb_window_t root = rootOf(x11);
    const xcb_atom_t request = atom(x11.connection, "_NET_REQUEST_FRAME_EXTENTS");
    if (root == XCB_WINDOW_NONE || !managerSupports(x11, root, request)) {
        return std::nullopt;
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = x11.window;
    message.type = request;
    xcb_send_event(x11.connection, false, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(x11.connection);
    const QDeadlineTimer deadline(200);
    for (;;) {
        if (std::optional<QMargins> frame = frameExtents(x11)) {
            return frame;
        }
        if (deadline.hasExpired()) {
            return std::nullopt;
        }
        QThread::msleep(1);
    }
}

// ---- the frame, wherever it comes from -----------------------------------------------------

bool frameless(const QWidget* window)
{
    return window->windowFlags() & Qt::FramelessWindowHint;
}

// The frame in device pixels, if the window system has told it.
std::optional<QMargins> knownFrame(QWidget* window)
{
    if (frameless(window)) {
        return QMargins();
    }
    // An X11 manager's own word, in device pixels, before Qt has heard it.
    if (const std::optional<X11> x11 = x11Of(window)) {
        if (std::optional<QMargins> extents = frameExtents(*x11)) {
            return extents;
        }
    }
    // Otherwise the platform's margins (Qt finds them from the window's parents where a
    // manager announces none); none means not framed yet.
    const QWindow* handle = window->windowHandle();
    if (!handle || handle->frameMargins().isNull()) {
        return std::nullopt;
    }
    const qreal ratio = window->devicePixelRatioF();
    const QMargins margins = handle->frameMargins();
    return QMargins(qRound(margins.left() * ratio), qRound(margins.top() * ratio),
                    qRound(margins.right() * ratio), qRound(margins.bottom() * ratio));
}

// Places the client area so that the frame round it (device pixels) is centred. The
// arithmetic stays in device pixels and rounds once, so that a frame with odd borders at a
// scale factor lands on the nearest device pixel rather than drifting by a logical one.
void place(QWidget* window, QMargins frame)
{
    const QScreen* screen = window->screen();
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    if (!screen) {
        return;
    }
    const qreal ratio = window->devicePixelRatioF();
    const QRectF area(QRectF(screen->geometry()).topLeft() * ratio,
                      QSizeF(screen->geometry().size()) * ratio);
    const QSizeF outer = QSizeF(window->size()) * ratio +
                         QSizeF(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QPointF client(area.x() + (area.width() - outer.width()) / 2 + frame.left(),
                         area.y() + (area.height() - outer.height()) / 2 + frame.top());
    // A window's geometry is its client area; move() would place the frame's corner,
    // with a frame Qt may not know yet.
    window->setGeometry(
        QRect(QPoint(qRound(client.x() / ratio), qRound(client.y() / ratio)), window->size()));
}

// Watches a window whose frame was not known when it was placed: once the window is
// exposed the manager has framed it, and the window is centred again by its real frame.
class FrameWatch : public QObject {
public:
    FrameWatch(QWidget* window, QMargins assumed)
        : QObject(window->windowHandle()), m_window(window), m_assumed(assumed)
    {
        parent()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && m_window->windowHandle()->isExposed()) {
            watched->removeEventFilter(this);
            deleteLater();
            const QMargins frame = knownFrame(m_window).value_or(QMargins());
            if (frame != m_assumed) {
                place(m_window, frame);
            }
        }
        return false;
    }

private:
    QWidget* m_window;
    QMargins m_assumed;
};

} // namespace

namespace WindowCentring {

void centreOnScreen(QWidget* window)
{
    std::optional<QMargins> frame = knownFrame(window);
    const bool unmapped = !window->windowHandle() || !window->windowHandle()->isExposed();
    if (!frame && unmapped) {
        if (const std::optional<X11> x11 = x11Of(window)) {
            frame = requestFrameExtents(*x11);
        }
    }
    const QMargins assumed = frame.value_or(classicFrame * window->devicePixelRatioF());
    place(window, assumed);
    if (unmapped && !frameless(window) && window->windowHandle() &&
        !window->windowHandle()->findChild<FrameWatch*>(QString(), Qt::FindDirectChildrenOnly)) {
        new FrameWatch(window, assumed);
    }
}

} // namespace WindowCentring
