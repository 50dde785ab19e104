// The splash window: frameless, on top, centred, the stretched picture with its version
// line, and a timer that hides it once, for good, no sooner than 5000 ms after creation.

#include "assets.h"
#include "font_substitutions.h"
#include "fx2label.h"
#include "tandemo_version.h"
#include "window_look.h"
#include "zast.h"

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QtTest>

namespace {

// Found by its name among the window's own children, like every control.
const QTimer* timer1(const TZast& splash)
{
    const auto* timer =
        splash.findChild<QTimer*>(QStringLiteral("Timer1"), Qt::FindDirectChildrenOnly);
    if (!timer) {
        qFatal("the splash has no child named Timer1");
    }
    return timer;
}

} // namespace

class TestZast : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerFontSubstitutions(); }
    void windowAsDesigned();
    void pictureFrame();
    void versionLine();
    void clickChangesNothing();
    void timerHidesItOnceForGood();
};

void TestZast::windowAsDesigned()
{
    TZast splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    const Qt::WindowFlags flags = splash.windowFlags();
    QVERIFY(flags & Qt::FramelessWindowHint);
    QVERIFY(flags & Qt::WindowStaysOnTopHint);
    QVERIFY(!(flags & Qt::WindowTitleHint));
    QVERIFY(!(flags & Qt::WindowSystemMenuHint));
    QCOMPARE(splash.size(), QSize(621, 414));
    QCOMPARE(splash.palette().color(QPalette::Window), WindowLook::btnFace());
    QCOMPARE(splash.cursor().shape(), Qt::WaitCursor);
    const QRect screen = splash.screen()->geometry();
    QVERIFY((splash.geometry().center() - screen.center()).manhattanLength() <= 1);
}

void TestZast::pictureFrame()
{
    TZast splash;
    auto* image = splash.findChild<QLabel*>(QStringLiteral("Image1"));
    QVERIFY(image);
    QCOMPARE(image->geometry(), QRect(-16, 0, 641, 425));
    QVERIFY(image->hasScaledContents());
    // The picture is stretched into the frame once, when the window is made: the label holds
    // it at the frame's size, so no paint scales it again.
    const QImage designed(QString::fromLatin1(Assets::DesignedSplash));
    QCOMPARE(designed.size(), TZast::pictureSize);
    QCOMPARE(image->pixmap().deviceIndependentSize(), QSizeF(image->size()));
    QCOMPARE(image->pixmap().toImage(),
             designed.scaled(image->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    QCOMPARE(image->cursor().shape(), Qt::WaitCursor);
    // The window cuts 16 pixels of the frame on the left, 4 on the right, 11 at the bottom.
    const QRect visible = image->geometry().intersected(splash.rect());
    QCOMPARE(image->geometry().left() - visible.left(), -16);
    QCOMPARE(image->geometry().right() - visible.right(), 4);
    QCOMPARE(image->geometry().bottom() - visible.bottom(), 11);
}

void TestZast::versionLine()
{
    TZast splash;
    auto* label = splash.findChild<Tfx2Label*>(QStringLiteral("fx2Label1"));
    QVERIFY(label);
    const QString line = QStringLiteral("VERSION ") + QLatin1String(TandemoVersion::release) +
                         QStringLiteral(" *FREEWARE*");
    QCOMPARE(label->caption(), line + QStringLiteral("\r\n"));
    QCOMPARE(label->accessibleName(), line);
    QCOMPARE(label->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(label->font().pixelSize(), 11);
    QVERIFY(label->font().bold());
    QCOMPARE(label->textColor(), WindowLook::maroon);
    QVERIFY(label->transparent());
    QVERIFY(label->autoSize());
    QVERIFY(label->parentColor());
    QCOMPARE(label->backgroundColor(), WindowLook::btnFace());
    QVERIFY(!label->isLoading());
    // Auto-sized once the form was in place: one line wide, one line high, left and top
    // kept as designed.
    const QFontMetrics metrics(label->font());
    QCOMPARE(label->geometry().topLeft(), QPoint(430, 228));
    QCOMPARE(label->width(), metrics.horizontalAdvance(line));
    QCOMPARE(label->height(), metrics.height());
}

void TestZast::clickChangesNothing()
{
    TZast splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(300, 200));
    QTest::mouseClick(splash.findChild<QWidget*>(QStringLiteral("fx2Label1")), Qt::LeftButton);
    QVERIFY(splash.isVisible());
    QVERIFY(timer1(splash)->isActive());
}

void TestZast::timerHidesItOnceForGood()
{
    QElapsedTimer sinceCreation;
    sinceCreation.start();
    TZast splash;
    const QTimer* timer = timer1(splash);
    QCOMPARE(timer->interval(), 5000);
    QVERIFY(timer->isActive());
    splash.show();
    // The upper bound only guards against a splash that never goes: when the tick is handled
    // depends on how busy the machine is.
    QTRY_VERIFY_WITH_TIMEOUT(!splash.isVisible(), 60000);
    QVERIFY2(sinceCreation.elapsed() >= 5000, "hidden before 5000 ms had passed");
    QVERIFY2(!timer->isActive(), "the timer must never fire again");
    QTest::qWait(200);
    QVERIFY(!splash.isVisible());
}

QTEST_MAIN(TestZast)
#include "test_zast.moc"
