// The choice of display platform from the environment, and the one line printed when no
// display can be reached; the X display tried before Qt is given it.

#include "platform_session.h"

#include <QtTest>

class TestPlatformSession : public QObject {
    Q_OBJECT
private slots:
    void choosesFromTheEnvironment_data();
    void choosesFromTheEnvironment();
    void unusableX11Display_data();
    void unusableX11Display();
};

void TestPlatformSession::choosesFromTheEnvironment_data()
{
    QTest::addColumn<QString>("qpaPlatform");
    QTest::addColumn<QString>("waylandDisplay");
    QTest::addColumn<QString>("display");
    // An X server answers at the display and has its screen.
    QTest::addColumn<bool>("usable");
    QTest::addColumn<QString>("platform");
    // Printed before starting when nothing usable is named (refused), or else when what is
    // named fails.
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("refused");

    const auto row = [](const char* name, const char* qpaPlatform, const char* waylandDisplay,
                        const char* display, bool usable, const char* platform, const char* line,
                        bool refused) {
        QTest::newRow(name) << QString(qpaPlatform) << QString(waylandDisplay) << QString(display)
                            << usable << QString(platform)
                            << QStringLiteral("Tandemo needs a graphical desktop session: ") +
                                   QString::fromUtf8(line)
                            << refused;
    };
    row("X11 session", "", "", ":0", true, "xcb", "no X server answers at DISPLAY=:0.", false);
    row("X11 display without a server, or without its screen", "", "", ":0.-1", false, "",
        "no X server answers at DISPLAY=:0.-1.", true);
    row("Wayland with Xwayland goes through Xwayland", "", "wayland-0", ":1", true, "xcb;wayland",
        "neither DISPLAY=:1 nor WAYLAND_DISPLAY=wayland-0 answers.", false);
    row("Wayland with an X display that does not answer runs natively", "", "wayland-0", ":1",
        false, "wayland", "neither DISPLAY=:1 nor WAYLAND_DISPLAY=wayland-0 answers.", false);
    row("Wayland alone runs natively", "", "wayland-0", "", false, "wayland",
        "no Wayland compositor answers at WAYLAND_DISPLAY=wayland-0, "
        "or Qt's Wayland plugin (qt6-wayland) is missing.",
        false);
    row("the user's platform wins on Wayland", "wayland", "wayland-0", ":1", true, "",
        "the platform QT_QPA_PLATFORM=wayland could not be started.", false);
    row("the user's X11 without a usable display", "xcb", "", ":0.4294967295", false, "",
        "the platform QT_QPA_PLATFORM=xcb could not be started.", true);
    row("the user's platform needs no display", "offscreen", "", "", false, "",
        "the platform QT_QPA_PLATFORM=offscreen could not be started.", false);
    row("no display named", "", "", "", false, "", "neither DISPLAY nor WAYLAND_DISPLAY is set.",
        true);
}

void TestPlatformSession::choosesFromTheEnvironment()
{
    QFETCH(QString, qpaPlatform);
    QFETCH(QString, waylandDisplay);
    QFETCH(QString, display);
    QFETCH(bool, usable);
    QFETCH(QString, platform);
    QFETCH(QString, line);
    QFETCH(bool, refused);
    const std::string qpa = qpaPlatform.toStdString(), wayland = waylandDisplay.toStdString(),
                      x11 = display.toStdString();
    const DesktopEnvironment environment{qpa, wayland, x11, usable};

    const PlatformSession session = choosePlatformSession(environment, "Tandemo");
    QCOMPARE(QString::fromStdString(session.platform), platform);
    QCOMPARE(QString::fromStdString(refused ? session.unavailable
                                            : unreachableDisplayLine(environment, "Tandemo")),
             line);
    QVERIFY(refused || session.unavailable.empty());
}

// Displays no X server can serve, whether or not one runs there: a screen number no server
// can have, a display name that does not parse, none at all.
void TestPlatformSession::unusableX11Display_data()
{
    QTest::addColumn<QString>("display");
    QTest::newRow("negative screen") << ":0.-1";
    QTest::newRow("screen past 32 bits") << ":0.4294967295";
    QTest::newRow("not a display name") << "nowhere";
    QTest::newRow("no display") << "";
}

void TestPlatformSession::unusableX11Display()
{
    QFETCH(QString, display);
    QVERIFY(!x11DisplayUsable(display.toStdString()));
}

QTEST_APPLESS_MAIN(TestPlatformSession)
#include "test_platform_session.moc"
