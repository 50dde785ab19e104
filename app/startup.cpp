#include "startup.h"

#include "assets.h"
#include "font_substitutions.h"
#include "tandemo.h"
#include "window_owner.h"

#include <QApplication>
#include <QIcon>

int runTandemo(QApplication& application)
{
    registerFontSubstitutions();
    // The installed desktop entry, icon and metainfo share this id; the window icon comes
    // from the same pictures, so the taskbar shows it even when nothing is installed.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.tandemo.Tandemo"));
    // Only the main window's closing ends the program; the splash may still be up.
    application.setQuitOnLastWindowClosed(false);

    WindowOwner owner;
    owner.createSplash();
    // Decoding the four icon pictures waits until the splash is on screen: the splash shows
    // no icon anywhere, and setting the application's icon hands it to every window made so
    // far as well as to those made after.
    QIcon icon;
    for (const char* path : {Assets::DesktopIcon32, Assets::DesktopIcon48, Assets::DesktopIcon128,
                             Assets::DesktopIcon256}) {
        icon.addFile(QString::fromLatin1(path));
    }
    QApplication::setWindowIcon(icon);
    owner.createWindows();

    TTandemo* mainWindow = owner.windows().tandemo;
    QObject::connect(mainWindow, &TTandemo::closed, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    owner.showMainWindow();
    owner.prepareDialogsWhenIdle();
    return application.exec();
}
