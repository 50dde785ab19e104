#pragma once
// How the program reaches the desktop, decided from three environment variables before the
// application object exists. The windows' designed places (the splash centred and on top,
// every window centred when shown) need a display server that lets a program place its
// windows; X11 does, Wayland does not. So on a Wayland session that also offers Xwayland
// the program goes through Xwayland, natively only where Wayland is all there is, and a
// platform the user names in QT_QPA_PLATFORM is always taken as given.
//
// An X display is tried before Qt sees it: Qt crashes in its screen set-up on a screen
// number the server does not have (DISPLAY=:0.-1), and where it cannot connect it says so
// in lines meant for a broken installation, even when the Wayland plugin then starts fine.

#include <string>
#include <string_view>

struct DesktopEnvironment {
    std::string_view qpaPlatform;    // QT_QPA_PLATFORM
    std::string_view waylandDisplay; // WAYLAND_DISPLAY
    std::string_view display;        // DISPLAY
    // An X server answers at DISPLAY and has the screen it names (x11DisplayUsable).
    bool displayUsable = false;
};

struct PlatformSession {
    // Qt's platform plugins to try, in order, separated by ';'; empty leaves the choice to
    // Qt (and so to the user's QT_QPA_PLATFORM).
    std::string platform;
    // Not empty when no display named can be used: the line to print instead of starting.
    std::string unavailable;
};

// Connects to the X display and checks the screen number it names.
bool x11DisplayUsable(std::string_view display);

// An empty variable counts as unset, as it does for Qt.
PlatformSession choosePlatformSession(const DesktopEnvironment& environment,
                                      std::string_view program);

// The line printed when the chosen platform could not be started: a display is named but
// no server answers there.
std::string unreachableDisplayLine(const DesktopEnvironment& environment, std::string_view program);

// While Qt connects to the display it reports a failure as a fatal message, which aborts
// the process after telling the user to reinstall. Between these two calls such a failure
// prints the given line alone and ends the program with status 1 instead; the other
// messages of that time are held back and passed on once the connection stands.
void holdPlatformMessages(std::string failureLine);
void releasePlatformMessages();
