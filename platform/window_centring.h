#pragma once
// The one place that centres top-level windows on their screen: the windows that the
// designs centre at every showing, the message boxes and the splash. What is centred is
// the frame the window manager draws round the window, borders and caption bar included.
//
// Data flow: a window calls centreOnScreen() while it is being shown. Its client area is
// placed where the frame round it comes out centred, by the frame the window will get as
// far as it is known: its own, told by the manager (_NET_FRAME_EXTENTS) at an earlier
// showing or estimated at placeForShowing()'s request, or else the frame of the last window
// of the same kind that the manager framed. Qt asks the manager to keep the client area
// where it was put and to draw the frame round it (the window gravity "static"), so a
// manager needs nothing else from the program. Nothing waits for the manager: where no
// frame is known yet (the main window, the first framed one, under a manager that gives
// no estimate), the window goes by none, under the splash, which covers it whole. When the
// manager tells a window's frame and it is not the one the window was placed by, the
// window is placed again by it.
//
// The screen is the one that holds the window's owner (its parent, or the window it is
// transient for) when that is on screen, and the primary screen otherwise.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

namespace WindowCentring {

// The classic frame: 4-pixel borders and a 19-pixel caption bar above the top border.
inline constexpr QMargins classicFrame{4, 23, 4, 4};

// Moves a top-level window so that its frame is centred on its screen.
void centreOnScreen(QWidget* window);

// Moves the native window of a window not on screen to where its next showing will centre
// it, so that the showing finds it in place: moved only then, it would be configured and
// its new place asked of the X server (round trips) at its first showing alone. Asks the
// X11 manager for its estimate of the window's frame, for the showing to go by.
void placeForShowing(QWidget* window);

// The screen a window is centred on.
QScreen* screenFor(const QWidget* window);

// Where the client area goes, in logical pixels, so that the frame round it is centred on
// the screen. The screen and the client area's size are logical, the frame is in device
// pixels. The arithmetic stays in device pixels and rounds once, so that a frame with odd
// borders at a scale factor lands on the nearest device pixel rather than drifting by a
// logical one.
QPoint clientPosition(const QRect& screen, QSize client, const QMargins& frame, qreal ratio);

} // namespace WindowCentring
