#include "window_centring.h"

#include <QByteArray>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
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

ReplyPointer<xcb_get_property_reply_t> property(xcb_connection_t* connection, xcb_window_t window,
                                                const char* name, xcb_atom_t type, uint32_t words)
{
    return ReplyPointer<xcb_get_property_reply_t>(
        xcb_get_property_reply(
            connection,
            xcb_get_property(connection, false, window, atom(connection, name), type, 0, words),
            nullptr),
        &free);
}

// _NET_FRAME_EXTENTS: left, right, top, bottom, in device pixels.
std::optional<QMargins> frameExtents(xcb_connection_t* connection, xcb_window_t window)
{
    const auto reply = property(connection, window, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL, 4);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16) {
        return std::nullopt;
    }
    const auto* value = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return QMargins(int(value[0]), int(value[2]), int(value[1]), int(value[3]));
}

// Openbox reads the centre gravity as though the client area's corner were the frame's:
// its frame lands lower and further right by its top and left borders. Under it, the
// frame it draws is asked for once, for a window of the program's own that is never shown,
// at the first centring (the splash's, which needs none); Openbox answers before it
// handles the next map, and the windows shown after are asked to be that much higher and
// further left. No other manager tried needs this.
class OpenboxFrame {
public:
    static OpenboxFrame& of(xcb_connection_t* connection)
    {
        static OpenboxFrame frame(connection);
        return frame;
    }

    // The top and left borders, once Openbox has told them; none under another manager.
    QPoint shift() const
    {
        if (!m_probe) {
            return {};
        }
        const std::optional<QMargins> frame = frameExtents(m_connection, m_probe);
        return frame ? QPoint(frame->left(), frame->top()) : QPoint();
    }

private:
    explicit OpenboxFrame(xcb_connection_t* connection) : m_connection(connection)
    {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        if (!screen || !isOpenbox(screen->root)) {
            return;
        }
        m_probe = xcb_generate_id(connection);
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, m_probe, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        xcb_client_message_event_t request{};
        request.response_type = XCB_CLIENT_MESSAGE;
        request.format = 32;
        request.window = m_probe;
        request.type = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
        xcb_send_event(connection, false, screen->root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&request));
        xcb_flush(connection);
    }

    bool isOpenbox(xcb_window_t root) const
    {
        const auto check =
            property(m_connection, root, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW, 1);
        if (!check || check->format != 32 || xcb_get_property_value_length(check.get()) != 4) {
            return false;
        }
        const xcb_window_t manager =
            *static_cast<const xcb_window_t*>(xcb_get_property_value(check.get()));
        const auto name =
            property(m_connection, manager, "_NET_WM_NAME", atom(m_connection, "UTF8_STRING"), 64);
        return name && QByteArray(static_cast<const char*>(xcb_get_property_value(name.get())),
                                  xcb_get_property_value_length(name.get())) == "Openbox";
    }

    xcb_connection_t* m_connection;
    xcb_window_t m_probe = 0;
};

// WM_NORMAL_HINTS as ICCCM lays it out: 18 words, the flags first, the gravity last.
constexpr int sizeHintsWords = 18;
constexpr uint32_t userPosition = 1, programPosition = 4, windowGravity = 512;
constexpr int gravityWord = 17;

// Qt writes the size hints itself, with the gravity "static" (the client area stays where
// it was asked to be and the frame goes round it), each time it places the window and once
// more right before it maps it. So the gravity is changed after Qt has mapped the window,
// with the server held for the moment in between: the manager handles the map only once
// the server is let go, and then reads the hints as written here.
void setCentreGravity(const X11& x11)
{
    std::array<uint32_t, sizeHintsWords> hints{};
    const ReplyPointer<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(x11.connection,
                               xcb_get_property(x11.connection, false, x11.window,
                                                XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 0,
                                                sizeHintsWords),
                               nullptr),
        &free);
    if (reply && reply->format == 32) {
        const auto* value = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
        const int words = std::min(xcb_get_property_value_length(reply.get()) / 4, sizeHintsWords);
        std::copy(value, value + words, hints.begin());
    }
    hints[0] |= userPosition | programPosition | windowGravity;
    hints[gravityWord] = XCB_GRAVITY_CENTER;
    xcb_change_property(x11.connection, XCB_PROP_MODE_REPLACE, x11.window, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, sizeHintsWords, hints.data());
}

// Holds the server from the window's show event, before Qt maps it, to the event that
// follows the mapping, and gives the window its centre gravity in between. Should that
// event not come, the server is let go as soon as the event loop runs.
class CentreGravityOnMap : public QObject {
public:
    CentreGravityOnMap(QWidget* window, const X11& x11)
        : QObject(window), m_window(window), m_x11(x11)
    {
        xcb_grab_server(m_x11.connection);
        xcb_flush(m_x11.connection);
        window->installEventFilter(this);
        QTimer::singleShot(0, this, [this] { finish(); });
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::ShowToParent) {
            finish();
        }
        return false;
    }

private:
    void finish()
    {
        if (m_done) {
            return;
        }
        m_done = true;
        m_window->removeEventFilter(this);
        setCentreGravity(m_x11);
        xcb_ungrab_server(m_x11.connection);
        xcb_flush(m_x11.connection);
        deleteLater();
    }

    QWidget* m_window;
    X11 m_x11;
    bool m_done = false;
};

// ---- the frame of a window on screen -------------------------------------------------------

// The frame in device pixels, as far as the window system has told it.
QMargins knownFrame(QWidget* window)
{
    if (window->windowFlags() & Qt::FramelessWindowHint) {
        return {};
    }
    // An X11 manager's own word, in device pixels, before Qt has heard it.
    if (const std::optional<X11> x11 = x11Of(window)) {
        if (std::optional<QMargins> extents = frameExtents(x11->connection, x11->window)) {
            return *extents;
        }
    }
    const qreal ratio = window->devicePixelRatioF();
    const QMargins margins = window->windowHandle()->frameMargins();
    return QMargins(qRound(margins.left() * ratio), qRound(margins.top() * ratio),
                    qRound(margins.right() * ratio), qRound(margins.bottom() * ratio));
}

// Places the client area so that the frame round it (device pixels) is centred. The
// arithmetic stays in device pixels and rounds once, so that a frame with odd borders at a
// scale factor lands on the nearest device pixel rather than drifting by a logical one.
// A shift (device pixels) moves the window from there.
void place(QWidget* window, const QScreen* screen, QMargins frame, QPoint shift = {})
{
    const qreal ratio = window->devicePixelRatioF();
    const QRectF area(QRectF(screen->geometry()).topLeft() * ratio,
                      QSizeF(screen->geometry().size()) * ratio);
    const QSizeF outer = QSizeF(window->size()) * ratio +
                         QSizeF(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QPointF client(area.x() + (area.width() - outer.width()) / 2 + frame.left() - shift.x(),
                         area.y() + (area.height() - outer.height()) / 2 + frame.top() - shift.y());
    // A window's geometry is its client area; move() would place the frame's corner,
    // with a frame Qt may not know yet.
    window->setGeometry(
        QRect(QPoint(qRound(client.x() / ratio), qRound(client.y() / ratio)), window->size()));
}

// The client area centred, for a window about to be mapped; under Openbox shifted by its
// frame's top and left borders.
void placeUnmapped(QWidget* window, const QScreen* screen)
{
    const std::optional<X11> x11 = x11Of(window);
    const QPoint shift = x11 ? OpenboxFrame::of(x11->connection).shift() : QPoint();
    place(window, screen, {}, window->windowFlags() & Qt::FramelessWindowHint ? QPoint() : shift);
}

} // namespace

namespace WindowCentring {

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
    placeUnmapped(window, screen);
    // Qt gives a hidden window's geometry to its native window only when it shows it.
    handle->setGeometry(window->geometry());
}

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = screenFor(window);
    if (!screen) {
        return;
    }
    const QWindow* handle = window->windowHandle();
    if (handle && handle->isVisible()) {
        place(window, screen, knownFrame(window));
        return;
    }
    // About to be mapped: the client area centred; on X11 the gravity centres the frame.
    placeUnmapped(window, screen);
    if (const std::optional<X11> x11 = x11Of(window)) {
        const QObjectList& children = window->children();
        if (std::none_of(children.begin(), children.end(), [](const QObject* child) {
                return dynamic_cast<const CentreGravityOnMap*>(child) != nullptr;
            })) {
            new CentreGravityOnMap(window, *x11);
        }
    }
}

} // namespace WindowCentring
