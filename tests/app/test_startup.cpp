// Start-up as a whole: the windows are made once each in their fixed order, the
// questionnaire is the one shown, and closing it ends the run with status 0.

#include "startup.h"
#include "tandemo.h"
#include "window_owner.h"
#include "zast.h"

#include <QAction>
#include <QApplication>
#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void windowsAreCreatedInOrder();
    void closingTheMainWindowEndsTheRun_data();
    void closingTheMainWindowEndsTheRun();
};

void TestStartup::windowsAreCreatedInOrder()
{
    WindowOwner owner;
    owner.createSplash();
    QVERIFY2(owner.windows().zast->isVisible(), "the splash is on screen before the rest is built");
    QVERIFY(!owner.windows().tandemo);
    owner.createWindows();
    QCOMPARE(owner.creationOrder(), (QStringList{"TZast", "TTandemo", "TInfo", "TResults",
                                                 "TAboutBox", "TSpecHelp", "TAttract"}));
    const WindowSet& set = owner.windows();
    QVERIFY(set.model && set.tandemo && set.info && set.results && set.aboutBox && set.specHelp &&
            set.attract);
    // Only the questionnaire is a main window; the others are its own windows, which
    // stack over it.
    QWidget* mainWindow = set.tandemo;
    for (const QString& name : owner.creationOrder().mid(2)) {
        auto* window = mainWindow->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
        QVERIFY2(window, qPrintable(name + " is not owned by the main window"));
        QVERIFY(window->isWindow());
        QVERIFY(!window->isVisible());
    }
}

void TestStartup::closingTheMainWindowEndsTheRun_data()
{
    QTest::addColumn<bool>("throughMenu");
    QTest::newRow("menu ВЫХОД") << true;
    QTest::newRow("close box") << false;
}

void TestStartup::closingTheMainWindowEndsTheRun()
{
    QFETCH(bool, throughMenu);
    bool closedIt = false;
    QList<QSize> iconSizes;
    QTimer::singleShot(200, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QLatin1String("TTandemo") && window->isVisible()) {
                closedIt = true;
                iconSizes = window->windowIcon().availableSizes();
                if (throughMenu) {
                    window->findChild<QAction*>(QStringLiteral("N11"))->trigger();
                } else {
                    window->close();
                }
            }
        }
    });
    // A safety net so that a broken shutdown fails instead of hanging.
    QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });
    const int status = runTandemo(*qApp);
    QVERIFY(closedIt);
    QCOMPARE(status, 0);
    // The main window carries the program icon at every size the desktop entry installs.
    const QList<QSize> expected = {QSize(32, 32), QSize(48, 48), QSize(128, 128), QSize(256, 256)};
    QCOMPARE(iconSizes, expected);
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
