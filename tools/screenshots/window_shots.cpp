// Renders every window of the program into PNG files, for looking at the designs side by
// side and for the documentation. Run it on the offscreen platform, optionally with
// QT_SCALE_FACTOR=2 for the high-density look:
//
//   QT_QPA_PLATFORM=offscreen build/tools/screenshots/window_shots [--dark] [--percent N] <folder>
//
// --dark renders under the palette of a dark desktop, in Fusion, the style that follows a
// palette most faithfully. --percent shows N% in the current-probability window, for
// looking at the widest values it can show.

#include "desktop_palette.h"
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
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTabWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.removeAll(QStringLiteral("--dark")) > 0) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(darkDesktopPalette());
    }
    QString percent;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--percent"));
        at >= 0 && at + 1 < arguments.size()) {
        percent = arguments.at(at + 1) + QLatin1Char('%');
        arguments.remove(at, 2);
    }
    const QDir folder(arguments.isEmpty() ? QStringLiteral(".") : arguments.first());
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

    if (!percent.isEmpty()) {
        set.info->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(percent);
    }

    const QList<QPair<QWidget*, QString>> windows{
        {set.zast, "splash"},    {set.tandemo, "questionnaire"}, {set.info, "info"},
        {set.aboutBox, "about"}, {set.specHelp, "indicator"},    {set.attract, "attraction"}};
    bool saved = true;
    for (const auto& [window, name] : windows) {
        window->show();
        QApplication::processEvents();
        saved &= window->grab().save(folder.filePath(name + QStringLiteral(".png")));
    }
    // The essay's tab-indented paragraphs are further down.
    set.attract->findChild<QPlainTextEdit*>()->verticalScrollBar()->setValue(1000);
    saved &= set.attract->grab().save(folder.filePath(QStringLiteral("attraction-end.png")));
    // Each menu's drop-down list as it opens under its title.
    const QList<QMenu*> menus = set.tandemo->findChildren<QMenu*>();
    for (QMenu* menu : menus) {
        if (menu->objectName().isEmpty()) {
            continue;
        }
        menu->adjustSize();
        saved &= menu->grab().save(
            folder.filePath(QStringLiteral("menu-%1.png").arg(menu->objectName())));
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
