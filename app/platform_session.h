#pragma once
// How the program reaches the desktop, decided from three environment variables before the
// application object exists. The windows' designed places (the splash centred and on top,
// every window centred when shown) need a display server that lets a program place its
// windows; X11 does, Wayland does not. So on a Wayland session that also offers Xwayland
// the program goes through Xwayland, natively only where Wayland is all there is, and a
// platform the user names in QT_QPA_PLATFORM is always taken as given.

#include <string>
#include <string_view>

struct DesktopEnvironment {
    std::string_view qpaPlatform;    // QT_QPA_PLATFORM
    std::string_view waylandDisplay; // WAYLAND_DISPLAY
    std::string_view display;        // DISPLAY
};

struct PlatformSession {
    // Qt's platform plugins to try, in order, separated by ';'; empty leaves the choice to
    // Qt (and so to the user's QT_QPA_PLATFORM).
    std::string platform;
    // Not empty when no display is named at all: the line to print instead of starting.
    std::string unavailable;
};

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
