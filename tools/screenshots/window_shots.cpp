// Renders every window of the program into PNG files, for looking at the designs side by
// side and for the documentation. Run it on the offscreen platform, optionally with
// QT_SCALE_FACTOR=2 for the high-density look:
//
//   QT_QPA_PLATFORM=offscreen build/tools/screenshots/window_shots <folder>

#include "font_substitutions.h"
#include "window_owner.h"

#include "aboutbox.h"
#include "attract.h"
#include "info.h"
#include "results.h"
#include "spechelp.h"
#include "tandemo.h"
#include "zast.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTabWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const QDir folder(arguments.size() > 1 ? arguments.at(1) : QStringLiteral("."));
    registerFontSubstitutions();

    WindowOwner owner;
    owner.createSplash();
    owner.createWindows();
    const WindowSet& set = owner.windows();
    // The questionnaire with its first question on screen says more than an empty form.
    set.tandemo->findChild<QAction*>(QStringLiteral("N2"))->trigger();
    set.tandemo->findChild<QWidget*>(QStringLiteral("BitBtn1"))
        ->metaObject()
        ->invokeMethod(set.tandemo->findChild<QWidget*>(QStringLiteral("BitBtn1")), "click");

    const QList<QPair<QWidget*, QString>> windows{
        {set.zast, "splash"},    {set.tandemo, "questionnaire"}, {set.info, "info"},
        {set.aboutBox, "about"}, {set.specHelp, "indicator"},    {set.attract, "attraction"}};
    bool saved = true;
    for (const auto& [window, name] : windows) {
        window->show();
        QApplication::processEvents();
        saved &= window->grab().save(folder.filePath(name + QStringLiteral(".png")));
    }
    set.results->show();
    auto* pages = set.results->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        QApplication::processEvents();
        saved &= set.results->grab().save(
            folder.filePath(QStringLiteral("results-%1.png").arg(page + 1)));
    }
    return saved ? 0 : 1;
}
