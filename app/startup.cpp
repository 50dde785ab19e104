#include "startup.h"

#include "font_substitutions.h"
#include "tandemo.h"
#include "window_owner.h"

#include <QApplication>

int runTandemo(QApplication& application)
{
    registerFontSubstitutions();
    // Only the main window's closing ends the program; the splash may still be up.
    application.setQuitOnLastWindowClosed(false);

    WindowOwner owner;
    owner.createSplash();
    owner.createWindows();

    TTandemo* mainWindow = owner.windows().tandemo;
    QObject::connect(mainWindow, &TTandemo::closed, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    mainWindow->show();
    return application.exec();
}
