// Starts a program and watches, from outside it, its top-level windows being mapped on the X
// display: it listens for MapNotify on the root window (SubstructureNotifyMask), so nothing is
// polled and the program under test is not touched.
//
//   map_watch [--timeout <ms>] [--verbose] [--smaps <file>] -- <program> [args...]
//
// Prints one line of key=value pairs:
//   first_map_ms   time from spawning the program to its first window mapped
//   main_map_ms    time to its first mapped window of the normal type (the main window)
//   vmhwm_kb       peak resident memory at that moment (VmHWM), read while the program is
//   vmrss_kb       stopped, so that it cannot grow in between; and the resident memory then
//   cpu_ms         processor time all its threads had used by then; less disturbed by other
//                  load on the machine than the elapsed times
//   windows        how many of its windows were mapped by then
// then kills the program. --smaps copies the program's /proc/<pid>/smaps, taken at the same
// moment, to a file, to see where the resident memory is. Exits 1 when the main window was not
// mapped in time.
//
// A window belongs to the program when its _NET_WM_PID is the program's process id. Under a
// window manager the root's child is the manager's frame, so the frame's subtree is searched for
// the program's window.

#include "x_client.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using xclient::cardinalProperty;
using xclient::nowMs;
using xclient::windowName;

struct Atoms {
    Atom pid;
    Atom type;
    Atom typeNormal;
    Atom typeSplash;
};

bool isNormalWindow(Display* display, Window window, const Atoms& atoms)
{
    const auto type = cardinalProperty(display, window, atoms.type, XA_ATOM);
    // A window without a type counts as normal, as window managers treat it.
    return !type || *type == atoms.typeNormal;
}

long statusField(pid_t pid, const char* field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(prefix, 0) == 0)
            return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
    }
    return -1;
}

// Time on the processor of every thread of a process, from the scheduler's nanosecond counts.
double cpuMs(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (dir == nullptr)
        return -1;
    double total = 0;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream schedstat(tasks + "/" + entry->d_name + "/schedstat");
        double onCpuNs = 0;
        if (schedstat >> onCpuNs)
            total += onCpuNs / 1e6;
    }
    closedir(dir);
    return total;
}

void copyFile(const std::string& from, const std::string& to)
{
    std::ifstream in(from);
    std::ofstream out(to);
    out << in.rdbuf();
}

int usage()
{
    std::fprintf(stderr, "usage: map_watch [--timeout <ms>] [--verbose] [--smaps <file>] -- "
                         "<program> [args...]\n");
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    int timeoutMs = 20000;
    bool verbose = false;
    std::string smaps;
    int first = 1;
    for (; first < argc; ++first) {
        const std::string arg = argv[first];
        if (arg == "--") {
            ++first;
            break;
        }
        if (arg == "--timeout" && first + 1 < argc)
            timeoutMs = std::atoi(argv[++first]);
        else if (arg == "--verbose")
            verbose = true;
        else if (arg == "--smaps" && first + 1 < argc)
            smaps = argv[++first];
        else
            return usage();
    }
    if (first >= argc)
        return usage();

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "map_watch: cannot open display %s\n", XDisplayName(nullptr));
        return 2;
    }
    XSetErrorHandler(xclient::ignoreXErrors);
    const Atoms atoms{XInternAtom(display, "_NET_WM_PID", False),
                      XInternAtom(display, "_NET_WM_WINDOW_TYPE", False),
                      XInternAtom(display, "_NET_WM_WINDOW_TYPE_NORMAL", False),
                      XInternAtom(display, "_NET_WM_WINDOW_TYPE_SPLASH", False)};
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    // The selection must be in force before the program can map anything.
    XSync(display, False);

    pid_t pid = 0;
    const double start = nowMs();
    if (posix_spawnp(&pid, argv[first], nullptr, nullptr, &argv[first], environ) != 0) {
        std::fprintf(stderr, "map_watch: cannot start %s: %s\n", argv[first], std::strerror(errno));
        return 2;
    }

    double firstMap = -1;
    double mainMap = -1;
    long hwm = -1;
    long rss = -1;
    double cpu = -1;
    int windows = 0;
    bool exited = false;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (mainMap < 0 && !exited) {
        if (XPending(display) == 0) {
            const int left = timeoutMs - static_cast<int>(nowMs() - start);
            if (left <= 0)
                break;
            // Wake up now and then to notice a program that died without mapping anything.
            poll(&connection, 1, std::min(left, 100));
            int status = 0;
            exited = waitpid(pid, &status, WNOHANG) == pid;
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != MapNotify)
            continue;
        const double at = nowMs() - start;
        const auto own = xclient::findOwnWindow(display, event.xmap.window, pid, atoms.pid, 2);
        if (!own)
            continue;
        ++windows;
        if (firstMap < 0)
            firstMap = at;
        const bool normal = isNormalWindow(display, *own, atoms);
        if (normal) {
            // Freeze the program so that the memory read is the memory at the map.
            kill(pid, SIGSTOP);
            mainMap = at;
            hwm = statusField(pid, "VmHWM");
            rss = statusField(pid, "VmRSS");
            cpu = cpuMs(pid);
            if (!smaps.empty())
                copyFile("/proc/" + std::to_string(pid) + "/smaps", smaps);
        }
        if (verbose) {
            const auto type = cardinalProperty(display, *own, atoms.type, XA_ATOM);
            std::fprintf(stderr, "map_watch: %.2f ms 0x%lx \"%s\"%s\n", at, *own,
                         windowName(display, *own).c_str(),
                         normal                              ? " (normal)"
                         : type && *type == atoms.typeSplash ? " (splash)"
                                                             : "");
        }
    }

    if (!exited) {
        kill(pid, SIGKILL);
        kill(pid, SIGCONT);
    }
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);

    if (mainMap < 0) {
        std::fprintf(stderr, "map_watch: %s mapped no main window within %d ms\n", argv[first],
                     timeoutMs);
        return 1;
    }
    std::printf("first_map_ms=%.3f main_map_ms=%.3f vmhwm_kb=%ld vmrss_kb=%ld cpu_ms=%.3f "
                "windows=%d\n",
                firstMap, mainMap, hwm, rss, cpu, windows);
    return 0;
}
