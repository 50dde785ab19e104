#include "platform_session.h"

#include <QString>
#include <QtGlobal>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace {

std::string concat(std::initializer_list<std::string_view> parts)
{
    std::string text;
    for (std::string_view part : parts) {
        text += part;
    }
    return text;
}

std::string needsSession(std::string_view program, std::string_view why)
{
    return concat({program, " needs a graphical desktop session: ", why});
}

} // namespace

bool x11DisplayUsable(std::string_view display)
{
    if (display.empty()) {
        return false;
    }
    int screen = 0;
    xcb_connection_t* connection = xcb_connect(std::string(display).c_str(), &screen);
    const bool usable = !xcb_connection_has_error(connection) && screen >= 0 &&
                        screen < xcb_setup_roots_length(xcb_get_setup(connection));
    xcb_disconnect(connection);
    return usable;
}

PlatformSession choosePlatformSession(const DesktopEnvironment& environment,
                                      std::string_view program)
{
    const bool x11 = environment.displayUsable;
    if (!environment.qpaPlatform.empty()) {
        if (environment.qpaPlatform == "xcb" && !x11) {
            return {{}, unreachableDisplayLine(environment, program)};
        }
        return {};
    }
    const bool wayland = !environment.waylandDisplay.empty();
    if (wayland) {
        // Through Xwayland where it answers; should it fail all the same, the native client
        // still works, only its windows are placed by the compositor.
        return {x11 ? "xcb;wayland" : "wayland", {}};
    }
    if (x11) {
        return {"xcb", {}};
    }
    if (!environment.display.empty()) {
        return {{}, unreachableDisplayLine(environment, program)};
    }
    return {{}, needsSession(program, "neither DISPLAY nor WAYLAND_DISPLAY is set.")};
}

std::string unreachableDisplayLine(const DesktopEnvironment& environment, std::string_view program)
{
    if (!environment.qpaPlatform.empty()) {
        return needsSession(program, concat({"the platform QT_QPA_PLATFORM=",
                                             environment.qpaPlatform, " could not be started."}));
    }
    const std::string x11 = concat({"DISPLAY=", environment.display});
    const std::string wayland = concat({"WAYLAND_DISPLAY=", environment.waylandDisplay});
    if (environment.display.empty()) {
        return needsSession(program,
                            concat({"no Wayland compositor answers at ", wayland,
                                    ", or Qt's Wayland plugin (qt6-wayland) is missing."}));
    }
    if (environment.waylandDisplay.empty()) {
        return needsSession(program, concat({"no X server answers at ", x11, "."}));
    }
    return needsSession(program, concat({"neither ", x11, " nor ", wayland, " answers."}));
}

namespace {

struct HeldMessage {
    QtMsgType type;
    std::string file, function, category;
    int line;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
std::string failure;
std::vector<HeldMessage> held;

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        // Nothing of the program exists yet: no state to save, no window to close.
        std::fprintf(stderr, "%s\n", failure.c_str());
        std::fflush(stderr);
        _exit(EXIT_FAILURE);
    }
    held.push_back({type, context.file ? context.file : "",
                    context.function ? context.function : "",
                    context.category ? context.category : "", context.line, text});
}

} // namespace

void holdPlatformMessages(std::string failureLine)
{
    failure = std::move(failureLine);
    previousHandler = qInstallMessageHandler(holdMessage);
}

void releasePlatformMessages()
{
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& message : held) {
        const QMessageLogContext context(message.file.c_str(), message.line,
                                         message.function.c_str(), message.category.c_str());
        previousHandler(message.type, context, message.text);
    }
    held.clear();
}
