#include "application_title.h"
#include "platform_session.h"
#include "startup.h"

#include <QApplication>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <langinfo.h>
#include <strings.h>

namespace {

std::string_view environmentVariable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool utf8Codeset()
{
    const char* codeset = nl_langinfo(CODESET);
    return strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "utf8") == 0;
}

// Qt reads and writes text as UTF-8 and, in a locale whose characters are not (the C locale
// of an empty environment, a legacy one), switches LC_CTYPE to a UTF-8 one itself with a
// warning of several lines that a user would take for a fault. The program makes the same
// choice first: the environment's locale in its UTF-8 form where it has one, C.UTF-8
// otherwise, put where Qt reads it (the environment), every other category left as the
// user set it.
void chooseUtf8Characters()
{
    if (!std::setlocale(LC_ALL, "") || utf8Codeset()) {
        return; // a locale the C library cannot load is left for Qt to report
    }
    std::string name = std::setlocale(LC_CTYPE, nullptr);
    name = name.substr(0, name.find_first_of(".@")) + ".UTF-8";
    const char* chosen = nullptr;
    for (const char* candidate : {name.c_str(), "C.UTF-8"}) {
        if (std::setlocale(LC_CTYPE, candidate) && utf8Codeset()) {
            chosen = candidate;
            break;
        }
    }
    if (!chosen) {
        return;
    }
    // LC_ALL would override LC_CTYPE: its value goes to each of the other categories.
    if (const char* all = std::getenv("LC_ALL"); all && *all) {
        const std::string allValue = all;
        for (const char* category :
             {"LC_COLLATE", "LC_MESSAGES", "LC_MONETARY", "LC_NUMERIC", "LC_TIME", "LC_ADDRESS",
              "LC_IDENTIFICATION", "LC_MEASUREMENT", "LC_NAME", "LC_PAPER", "LC_TELEPHONE"}) {
            setenv(category, allValue.c_str(), 1);
        }
        unsetenv("LC_ALL");
    }
    setenv("LC_CTYPE", chosen, 1);
}

} // namespace

int main(int argc, char* argv[])
{
    chooseUtf8Characters();
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
