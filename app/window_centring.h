#pragma once
// The one place that centres top-level windows on their screen: the windows that the
// designs centre at every showing, the message boxes and the splash. What is centred is
// the frame the window manager draws round the window, borders and caption bar included.
//
// Data flow: a window calls centreOnScreen() while it is being shown. The frame comes from
// the window system once it has framed the window; before a first showing the manager is
// asked for it (on X11 with _NET_REQUEST_FRAME_EXTENTS), so that the window is mapped where
// it belongs. Where the manager cannot say beforehand, the classic frame stands in, and
// the window is centred again by its real frame as soon as it is first exposed.

#include <QMargins>

class QWidget;

namespace WindowCentring {

// The classic frame: 4-pixel borders and a 19-pixel caption bar above the top border.
inline constexpr QMargins classicFrame{4, 23, 4, 4};

// Moves a top-level window so that its frame is centred on its screen.
void centreOnScreen(QWidget* window);

} // namespace WindowCentring
