// The dialogs' first showing against their later ones, timed in the program itself: the
// window set is built as start-up builds it, the main window shown, and then the dialogs are
// shown and hidden again in turn, --shows rounds, each showing timed from the call to show()
// until its window is exposed (and so painted). One process measures one start, so that the first
// showing pays for whatever a real first showing pays for (fonts, glyphs, the native window).
//
//   first_show [--unprepared] [--shows N]
//
//   --unprepared   skip the preparation start-up does while the splash is up, to see what
//                  a first showing cost without it
//
// Prints one line per dialog: its name, the first showing and the median of the later ones
// in milliseconds, and their ratio. Uses the platform QT_QPA_PLATFORM names (offscreen when
// unset), at 96 dpi with the program's font substitutions.

#include "aboutbox.h"
#include "attract.h"
#include "bench_environment.h"
#include "font_substitutions.h"
#include "info.h"
#include "results.h"
#include "spechelp.h"
#include "tandemo.h"
#include "window_owner.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double showingMs(QWidget* window)
{
    QElapsedTimer clock;
    clock.start();
    window->show();
    while (!window->windowHandle()->isExposed()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QApplication::processEvents();
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    window->hide();
    QApplication::processEvents();
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    chooseBenchPlatform();
    QApplication application(argc, argv);
    registerFontSubstitutions();
    bool prepared = true;
    int shows = 11;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--unprepared")
            prepared = false;
        else if (arg == "--shows" && i + 1 < argc)
            shows = std::max(2, std::atoi(argv[++i]));
        else {
            std::fprintf(stderr, "usage: first_show [--unprepared] [--shows N]\n");
            return 2;
        }
    }

    WindowOwner owner;
    owner.createWindows();
    const WindowSet& set = owner.windows();
    set.tandemo->show();
    const std::vector<DesignedDialog*> dialogs{set.results, set.info, set.specHelp, set.attract,
                                               set.aboutBox};
    if (prepared) {
        owner.prepareDialogsWhenIdle();
        while (!std::all_of(dialogs.begin(), dialogs.end(),
                            [](const DesignedDialog* d) { return d->isPrepared(); })) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    } else {
        while (!set.tandemo->windowHandle()->isExposed()) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }
    QApplication::processEvents();

    // In rotation: every dialog's first showing, then the later ones, each after the other
    // dialogs' showings, as a window is shown again after other work and not in a tight loop
    // that finds every cache warm with its own last showing.
    std::vector<std::vector<double>> times(dialogs.size());
    for (int round = 0; round < shows; ++round) {
        for (std::size_t d = 0; d < dialogs.size(); ++d) {
            times[d].push_back(showingMs(dialogs[d]));
        }
    }
    for (std::size_t d = 0; d < dialogs.size(); ++d) {
        const double first = times[d].front();
        std::vector<double> later(times[d].begin() + 1, times[d].end());
        std::sort(later.begin(), later.end());
        const double median = later[later.size() / 2];
        std::printf("%-10s first %7.2f ms  later %7.2f ms  ratio %5.2f\n",
                    qPrintable(dialogs[d]->objectName()), first, median, first / median);
    }
    return 0;
}
