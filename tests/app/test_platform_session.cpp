// The choice of display platform from the environment, and the one line printed when no
// display can be reached.

#include "platform_session.h"

#include <QtTest>

class TestPlatformSession : public QObject {
    Q_OBJECT
private slots:
    void choosesFromTheEnvironment_data();
    void choosesFromTheEnvironment();
};

void TestPlatformSession::choosesFromTheEnvironment_data()
{
    QTest::addColumn<QString>("qpaPlatform");
    QTest::addColumn<QString>("waylandDisplay");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("platform");
    // Printed before starting when nothing is named, or else when what is named fails.
    QTest::addColumn<QString>("line");

    const QString needs = QStringLiteral("Tandemo needs a graphical desktop session: ");
    QTest::newRow("X11 session") << ""
                                 << ""
                                 << ":0"
                                 << "xcb" << needs + "no X server answers at DISPLAY=:0.";
    QTest::newRow("Wayland with Xwayland goes through Xwayland")
        << ""
        << "wayland-0"
        << ":1"
        << "xcb;wayland" << needs + "neither DISPLAY=:1 nor WAYLAND_DISPLAY=wayland-0 answers.";
    QTest::newRow("Wayland alone runs natively")
        << ""
        << "wayland-0"
        << ""
        << "wayland"
        << needs + "no Wayland compositor answers at WAYLAND_DISPLAY=wayland-0, "
                   "or Qt's Wayland plugin (qt6-wayland) is missing.";
    QTest::newRow("the user's platform wins on Wayland")
        << "wayland"
        << "wayland-0"
        << ":1"
        << "" << needs + "the platform QT_QPA_PLATFORM=wayland could not be started.";
    QTest::newRow("the user's platform needs no display")
        << "offscreen"
        << ""
        << ""
        << "" << needs + "the platform QT_QPA_PLATFORM=offscreen could not be started.";
    QTest::newRow("no display named")
        << ""
        << ""
        << ""
        << "" << needs + "neither DISPLAY nor WAYLAND_DISPLAY is set.";
}

void TestPlatformSession::choosesFromTheEnvironment()
{
    QFETCH(QString, qpaPlatform);
    QFETCH(QString, waylandDisplay);
    QFETCH(QString, display);
    QFETCH(QString, platform);
    QFETCH(QString, line);
    const std::string qpa = qpaPlatform.toStdString(), wayland = waylandDisplay.toStdString(),
                      x11 = display.toStdString();
    const DesktopEnvironment environment{qpa, wayland, x11};

    const PlatformSession session = choosePlatformSession(environment, "Tandemo");
    QCOMPARE(QString::fromStdString(session.platform), platform);
    const bool nothingNamed = qpa.empty() && wayland.empty() && x11.empty();
    QCOMPARE(QString::fromStdString(nothingNamed ? session.unavailable
                                                 : unreachableDisplayLine(environment, "Tandemo")),
             line);
    QVERIFY(nothingNamed || session.unavailable.empty());
}

QTEST_APPLESS_MAIN(TestPlatformSession)
#include "test_platform_session.moc"
