#include "window_centring.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QHash>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <memory>
#include <optional>

namespace {

// ---- X11 -----------------------------------------------------------------------------------

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

template <typename Reply> using ReplyPointer = std::unique_ptr<Reply, decltype(&free)>;

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const ReplyPointer<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, false, static_cast<uint16_t>(qstrlen(name)), name),
            nullptr),
        &free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// _NET_FRAME_EXTENTS: left, right, top, bottom, in device pixels; nothing while the manager
// has not told them (or has taken them away).
std::optional<QMargins> frameExtents(xcb_connection_t* connection, xcb_atom_t extents,
                                     xcb_window_t window)
{
    const ReplyPointer<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(
            connection,
            xcb_get_property(connection, false, window, extents, XCB_ATOM_CARDINAL, 0, 4), nullptr),
        &free);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16) {
        return std::nullopt;
    }
    const auto* value = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return QMargins(int(value[0]), int(value[2]), int(value[1]), int(value[3]));
}

bool framed(const QWidget* window)
{
    return !(window->windowFlags() & Qt::FramelessWindowHint);
}

// What a manager decorates a window by: a dialog or a main window, and whether it can be
// resized (a fixed one gets no resize handle from some managers).
int kindOf(const QWidget* window)
{
    const bool fixed = window->minimumSize() == window->maximumSize();
    return int(window->windowType()) * 2 + (fixed ? 1 : 0);
}

void place(QWidget* window, const QScreen* screen, const QMargins& frame)
{
    // A window's geometry is its client area; move() would place the frame's corner,
    // with a frame Qt may not know yet.
    window->setGeometry(QRect(WindowCentring::clientPosition(screen->geometry(), window->size(),
                                                             frame, window->devicePixelRatioF()),
                              window->size()));
}

// Hears the frames the X11 manager tells (each change of a window's _NET_FRAME_EXTENTS
// comes to the program as an event, which Qt hands on to its native event filters), keeps
// the last one of each kind of window as the guess for the next, and places again a window
// shown since its last placing when its frame is not the one it was placed by. Nothing
// waits for the manager: what it tells, whenever it tells it, is used from then on.
class FrameWatch : public QObject, public QAbstractNativeEventFilter {
public:
    static FrameWatch& of(xcb_connection_t* connection)
    {
        static QPointer<FrameWatch> watch;
        if (!watch) {
            watch = new FrameWatch(connection);
        }
        return *watch;
    }

    // The frame a window will get: its own, told at an earlier showing or estimated on
    // request beforehand, or else the last told for a window of its kind, or of any kind.
    QMargins guess(QWidget* window, const X11& x11) const
    {
        // No frame at all is no answer: a manager that draws its frames in a client of its
        // own (mutter 48) may estimate a window it has not framed yet as unframed.
        if (std::optional<QMargins> own = frameExtents(x11.connection, m_extents, x11.window);
            own && !own->isNull()) {
            return *own;
        }
        return m_byKind.value(kindOf(window), m_last);
    }

    // Asks the manager for its estimate of the frame of a window not yet mapped, the
    // standard way: the answer comes as the window's own frame, whenever the manager gives
    // it, and is used from then on. A window shown before it comes goes by the guess.
    void requestEstimate(const X11& x11) const
    {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x11.connection)).data;
        if (!screen || !m_request) {
            return;
        }
        xcb_client_message_event_t request{};
        request.response_type = XCB_CLIENT_MESSAGE;
        request.format = 32;
        request.window = x11.window;
        request.type = m_request;
        xcb_send_event(x11.connection, false, screen->root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&request));
        xcb_flush(x11.connection);
    }

    // The window has been placed by this frame for the showing about to come or going on.
    void placedBy(QWidget* window, const X11& x11, const QMargins& frame)
    {
        m_placed.removeIf([](const auto& entry) { return entry.value().window.isNull(); });
        m_placed.insert(x11.window, {window, frame});
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t") {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) {
            return false;
        }
        const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (notify->atom != m_extents || notify->state != XCB_PROPERTY_NEW_VALUE) {
            return false;
        }
        const std::optional<QMargins> told = frameExtents(m_connection, m_extents, notify->window);
        if (!told || told->isNull()) {
            return false;
        }
        m_last = *told;
        if (const QWidget* window = QWidget::find(notify->window); window && window->isWindow()) {
            m_byKind.insert(kindOf(window), *told);
        }
        // The first frame told for a window on screen is the one it was given at this
        // showing; a later change (a maximised window loses its borders under some managers)
        // is the user's doing and moves nothing.
        const auto placed = m_placed.find(notify->window);
        if (placed == m_placed.end() || !placed->window || !placed->window->isVisible()) {
            return false;
        }
        const QPointer<QWidget> window = placed->window;
        const QMargins by = placed->frame;
        m_placed.erase(placed);
        if (by != *told) {
            // After Qt's own handling of the event.
            QMetaObject::invokeMethod(
                window, [window, frame = *told] { placeAgain(window, frame); },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    // Only a window still shown and neither maximised nor full-screen (a maximised window
    // loses its borders under some managers). A minimised one is placed all the same:
    // mutter 48 may mark a new window minimised for a moment while it frames it, and the
    // place is where a minimised window comes back to.
    static void placeAgain(QWidget* window, const QMargins& frame)
    {
        const QScreen* screen = WindowCentring::screenFor(window);
        const bool sized = window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
        if (window->isVisible() && !sized && screen) {
            place(window, screen, frame);
        }
    }

    explicit FrameWatch(xcb_connection_t* connection)
        : QObject(qGuiApp), m_connection(connection),
          m_extents(atom(connection, "_NET_FRAME_EXTENTS")),
          m_request(atom(connection, "_NET_REQUEST_FRAME_EXTENTS"))
    {
        qGuiApp->installNativeEventFilter(this);
    }

    struct Placed {
        QPointer<QWidget> window;
        QMargins frame;
    };

    xcb_connection_t* m_connection;
    xcb_atom_t m_extents;
    xcb_atom_t m_request;
    QMargins m_last;
    QHash<int, QMargins> m_byKind;
    QHash<xcb_window_t, Placed> m_placed;
};

// The frame in device pixels a window has (on screen) or will have (about to be shown),
// as far as the window system has told it.
QMargins expectedFrame(QWidget* window, bool onScreen)
{
    if (!framed(window)) {
        return {};
    }
    if (const std::optional<X11> x11 = x11Of(window)) {
        return FrameWatch::of(x11->connection).guess(window, *x11);
    }
    if (!onScreen) {
        return {};
    }
    const qreal ratio = window->devicePixelRatioF();
    const QMargins margins = window->windowHandle()->frameMargins();
    return QMargins(qRound(margins.left() * ratio), qRound(margins.top() * ratio),
                    qRound(margins.right() * ratio), qRound(margins.bottom() * ratio));
}

} // namespace

namespace WindowCentring {

QPoint clientPosition(const QRect& screen, QSize client, const QMargins& frame, qreal ratio)
{
    const QRectF area(QRectF(screen).topLeft() * ratio, QSizeF(screen.size()) * ratio);
    const QSizeF outer =
        QSizeF(client) * ratio + QSizeF(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QPointF at(area.x() + (area.width() - outer.width()) / 2 + frame.left(),
                     area.y() + (area.height() - outer.height()) / 2 + frame.top());
    return QPoint(qRound(at.x() / ratio), qRound(at.y() / ratio));
}

QScreen* screenFor(const QWidget* window)
{
    const QWindow* owner = nullptr;
    if (const QWidget* parent = window->parentWidget()) {
        owner = parent->window()->windowHandle();
    } else if (const QWindow* handle = window->windowHandle()) {
        owner = handle->transientParent();
    }
    if (owner && owner->isVisible() && owner->screen()) {
        return owner->screen();
    }
    return QGuiApplication::primaryScreen();
}

void placeForShowing(QWidget* window)
{
    QWindow* handle = window->windowHandle();
    const QScreen* screen = screenFor(window);
    if (!handle || handle->isVisible() || !screen) {
        return;
    }
    place(window, screen, expectedFrame(window, false));
    // Qt gives a hidden window's geometry to its native window only when it shows it.
    handle->setGeometry(window->geometry());
    // Once Qt has set the properties the manager decorates by; the estimate may come in
    // time to place the first showing by.
    if (const std::optional<X11> x11 = x11Of(window); x11 && framed(window)) {
        FrameWatch::of(x11->connection).requestEstimate(*x11);
    }
}

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = screenFor(window);
    if (!screen) {
        return;
    }
    const QWindow* handle = window->windowHandle();
    const bool onScreen = handle && handle->isVisible();
    const QMargins frame = expectedFrame(window, onScreen);
    place(window, screen, frame);
    if (const std::optional<X11> x11 = x11Of(window); x11 && framed(window)) {
        FrameWatch::of(x11->connection).placedBy(window, *x11, frame);
    }
}

} // namespace WindowCentring
