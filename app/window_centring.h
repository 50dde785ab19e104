#pragma once
// The one place that centres top-level windows on their screen: the windows that the
// designs centre at every showing, the message boxes and the splash. What is centred is
// the frame the window manager draws round the window, borders and caption bar included.
//
// Data flow: a window calls centreOnScreen() while it is being shown. A window about to be
// mapped is placed with its client area centred and, on X11, with the window gravity
// "centre" in its size hints: every ICCCM manager then puts the centre of the frame it
// draws where the centre of the client area was asked to be, whatever that frame's size,
// so the frame is centred from the first mapping without the manager being asked anything.
// A window already on screen is moved by the frame the window system has told.
//
// The screen is the one that holds the window's owner (its parent, or the window it is
// transient for) when that is on screen, and the primary screen otherwise.

#include <QMargins>

class QScreen;
class QWidget;

namespace WindowCentring {

// The classic frame: 4-pixel borders and a 19-pixel caption bar above the top border.
inline constexpr QMargins classicFrame{4, 23, 4, 4};

// Moves a top-level window so that its frame is centred on its screen.
void centreOnScreen(QWidget* window);

// Moves the native window of a window not on screen to where its next showing will centre
// it, so that the showing finds it in place: moved only then, it would be configured and
// its new place asked of the X server (round trips) at its first showing alone.
void placeForShowing(QWidget* window);

// The screen a window is centred on.
QScreen* screenFor(const QWidget* window);

} // namespace WindowCentring
