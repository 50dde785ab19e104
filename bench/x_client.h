#pragma once
// What the benchmarks' X clients share: a monotonic clock, X errors about vanished windows
// ignored, and finding a program's own window, under a window manager inside its frame.

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <ctime>
#include <optional>
#include <string>
#include <sys/types.h>

namespace xclient {

inline double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Windows may vanish between the event and the question about them; such errors are expected.
inline int ignoreXErrors(Display*, XErrorEvent*)
{
    return 0;
}

inline std::optional<unsigned long> cardinalProperty(Display* display, Window window, Atom property,
                                                     Atom type)
{
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, window, property, 0, 1, False, type, &actualType,
                                          &format, &count, &remaining, &data);
    std::optional<unsigned long> value;
    if (status == Success && data != nullptr && count == 1 && format == 32)
        value = *reinterpret_cast<unsigned long*>(data);
    if (data != nullptr)
        XFree(data);
    return value;
}

// The window itself or, under a window manager, the client window inside its frame: the first
// one whose _NET_WM_PID is the program's.
inline std::optional<Window> findOwnWindow(Display* display, Window window, pid_t pid, Atom pidAtom,
                                           int depth)
{
    const auto owner = cardinalProperty(display, window, pidAtom, XA_CARDINAL);
    if (owner && static_cast<pid_t>(*owner) == pid)
        return window;
    if (depth == 0)
        return std::nullopt;
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    std::optional<Window> found;
    if (XQueryTree(display, window, &root, &parent, &children, &count) != 0) {
        for (unsigned int i = 0; i < count && !found; ++i)
            found = findOwnWindow(display, children[i], pid, pidAtom, depth - 1);
    }
    if (children != nullptr)
        XFree(children);
    return found;
}

inline std::string windowName(Display* display, Window window)
{
    char* name = nullptr;
    std::string result;
    if (XFetchName(display, window, &name) != 0 && name != nullptr)
        result = name;
    if (name != nullptr)
        XFree(name);
    return result;
}

} // namespace xclient
