#include "application_title.h"
#include "platform_session.h"
#include "startup.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

std::string_view environmentVariable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

int main(int argc, char* argv[])
{
    DesktopEnvironment environment{environmentVariable("QT_QPA_PLATFORM"),
                                   environmentVariable("WAYLAND_DISPLAY"),
                                   environmentVariable("DISPLAY")};
    // Only where the X display would be tried: a remote one may take its time to answer.
    if (environment.qpaPlatform.empty() || environment.qpaPlatform == "xcb") {
        environment.displayUsable = x11DisplayUsable(environment.display);
    }
    char fallbackName[] = "Tandemo";
    char* programFile = argc > 0 && argv[0] ? argv[0] : fallbackName;
    const std::string program =
        applicationTitleFromFileName(QString::fromLocal8Bit(programFile)).toStdString();

    const PlatformSession session = choosePlatformSession(environment, program);
    if (!session.unavailable.empty()) {
        std::fprintf(stderr, "%s\n", session.unavailable.c_str());
        return EXIT_FAILURE;
    }

    // The program takes no options, and Qt's own (-style, -stylesheet, -reverse, …) would
    // change its designed look: Qt sees the program's file name and, where the platform is
    // ours to choose, that choice, never what the user typed after the name. Qt keeps the
    // file name for the application title and the window class.
    char platformOption[] = "-platform";
    std::string platform = session.platform;
    std::vector<char*> arguments{programFile};
    if (!platform.empty()) {
        arguments.push_back(platformOption);
        arguments.push_back(platform.data());
    }
    int argumentCount = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);

    holdPlatformMessages(unreachableDisplayLine(environment, program));
    QApplication application(argumentCount, arguments.data());
    releasePlatformMessages();
    return runTandemo(application);
}
