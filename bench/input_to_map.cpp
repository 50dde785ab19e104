// Times, from outside a running program, how long it takes from a person's input to one of
// the program's windows being mapped: a click on a button that opens a window, or a key that
// picks a menu item. The input goes through the XTest extension, as a real pointer or keyboard
// event would, and the map is seen as MapNotify on the root window (SubstructureNotifyMask),
// so nothing is polled.
//
//   input_to_map --pid <pid> --name <window title> (--click <x> <y> | --key <keysym name>)
//                [--timeout <ms>]
//
// With --click the pointer is moved to the root position first and given a moment, so that
// the hover it causes is not counted; the clock starts right before the button press (or the
// key press). Prints map_ms=<milliseconds>. Exits 1 when no such window was mapped in time.

#include "x_client.h"

#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: input_to_map --pid <pid> --name <title> "
                         "(--click <x> <y> | --key <keysym>) [--timeout <ms>]\n");
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    pid_t pid = 0;
    std::string name;
    int x = -1;
    int y = -1;
    std::string key;
    int timeoutMs = 10000;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--pid" && i + 1 < argc)
            pid = static_cast<pid_t>(std::atoi(argv[++i]));
        else if (arg == "--name" && i + 1 < argc)
            name = argv[++i];
        else if (arg == "--click" && i + 2 < argc) {
            x = std::atoi(argv[++i]);
            y = std::atoi(argv[++i]);
        } else if (arg == "--key" && i + 1 < argc)
            key = argv[++i];
        else if (arg == "--timeout" && i + 1 < argc)
            timeoutMs = std::atoi(argv[++i]);
        else
            return usage();
    }
    if (pid <= 0 || name.empty() || (x < 0) == key.empty())
        return usage();

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "input_to_map: cannot open display %s\n", XDisplayName(nullptr));
        return 2;
    }
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
        std::fprintf(stderr, "input_to_map: the display has no XTest extension\n");
        return 2;
    }
    XSetErrorHandler(xclient::ignoreXErrors);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    KeyCode keycode = 0;
    if (!key.empty()) {
        const KeySym keysym = XStringToKeysym(key.c_str());
        keycode = keysym == NoSymbol ? 0 : XKeysymToKeycode(display, keysym);
        if (keycode == 0) {
            std::fprintf(stderr, "input_to_map: no key called %s\n", key.c_str());
            return 2;
        }
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    if (x >= 0) {
        XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
        XSync(display, False);
        usleep(300'000);
    }
    // The selection and the pointer's move are in force before the input is sent.
    XSync(display, False);
    // Maps from before the input (the pointer's hover cannot open a window) are not ours.
    while (XPending(display) > 0) {
        XEvent stale;
        XNextEvent(display, &stale);
    }

    const double start = xclient::nowMs();
    if (x >= 0) {
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
    } else {
        XTestFakeKeyEvent(display, keycode, True, CurrentTime);
        XTestFakeKeyEvent(display, keycode, False, CurrentTime);
    }
    XFlush(display);

    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    double mapped = -1;
    while (mapped < 0) {
        if (XPending(display) == 0) {
            const int left = timeoutMs - static_cast<int>(xclient::nowMs() - start);
            if (left <= 0)
                break;
            poll(&connection, 1, left);
            continue;
        }
        XEvent next;
        XNextEvent(display, &next);
        if (next.type != MapNotify)
            continue;
        const double at = xclient::nowMs() - start;
        const auto own = xclient::findOwnWindow(display, next.xmap.window, pid, pidAtom, 2);
        if (own && xclient::windowName(display, *own) == name)
            mapped = at;
    }
    XCloseDisplay(display);
    if (mapped < 0) {
        std::fprintf(stderr, "input_to_map: no window \"%s\" of process %d mapped within %d ms\n",
                     name.c_str(), static_cast<int>(pid), timeoutMs);
        return 1;
    }
    std::printf("map_ms=%.3f\n", mapped);
    return 0;
}
