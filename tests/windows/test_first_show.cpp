// A dialog's first-show work: it runs once, when the dialog is prepared while the program is
// idle or at the latest at its first showing, before the dialog's own show handling sees the
// dialog, and never for a dialog that is neither prepared nor shown. A prepared dialog that is
// centred at every showing has its native window centred already, so no showing moves it.

#include "designed_dialog.h"
#include "window_look.h"

#include <QLabel>
#include <QtTest>

namespace {

// Records the label's width as the dialog's own show handling finds it.
class Window : public DesignedDialog {
public:
    explicit Window(bool centred)
        : DesignedDialog({.frame = WindowLook::sizeableFrame, .centredOnShow = centred}, nullptr)
    {}

    QLabel* label = new QLabel(QStringLiteral("a text much wider than the label starts"), this);
    QList<int> widthsAtShow;
    int measured = 0;

protected:
    void measure() override
    {
        ++measured;
        label->adjustSize();
    }

    void showEvent(QShowEvent* event) override
    {
        widthsAtShow.append(label->width());
        DesignedDialog::showEvent(event);
    }
};

} // namespace

class TestFirstShow : public QObject {
    Q_OBJECT

private slots:
    void runsOnceAtFirstShow_data();
    void runsOnceAtFirstShow();
};

void TestFirstShow::runsOnceAtFirstShow_data()
{
    QTest::addColumn<bool>("prepared");
    QTest::addColumn<int>("shows");
    QTest::addColumn<int>("runs");
    QTest::addColumn<bool>("centred");

    QTest::newRow("never shown") << false << 0 << 0 << false;
    QTest::newRow("shown once") << false << 1 << 1 << false;
    QTest::newRow("shown, hidden, shown again") << false << 3 << 1 << false;
    QTest::newRow("prepared, not shown") << true << 0 << 1 << false;
    QTest::newRow("prepared, then shown twice") << true << 2 << 1 << false;
    QTest::newRow("centred, prepared, then shown twice") << true << 2 << 1 << true;
}

void TestFirstShow::runsOnceAtFirstShow()
{
    QFETCH(bool, prepared);
    QFETCH(int, shows);
    QFETCH(int, runs);
    QFETCH(bool, centred);

    Window window(centred);
    window.label->resize(10, 10);
    QCOMPARE(window.label->width(), 10);
    if (prepared) {
        window.prepare();
        QVERIFY(window.testAttribute(Qt::WA_WState_Created));
        QVERIFY(!window.isVisible());
    }
    const QRect placed = prepared ? window.windowHandle()->geometry() : QRect();
    const QPoint off = placed.center() - window.screen()->geometry().center();
    QVERIFY(!(prepared && centred) || off.manhattanLength() <= 2);

    for (int i = 0; i < shows; ++i) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!(prepared && centred) || window.windowHandle()->geometry() == placed);
        window.hide();
    }
    QCOMPARE(window.measured, runs);
    QCOMPARE(window.isPrepared(), runs == 1);
    QCOMPARE(window.widthsAtShow.size(), shows);
    const int fitted = window.label->sizeHint().width();
    QVERIFY(fitted > 10);
    QCOMPARE(window.label->width(), runs == 0 ? 10 : fitted);
    for (int width : window.widthsAtShow) {
        QCOMPARE(width, fitted);
    }
}

QTEST_MAIN(TestFirstShow)
#include "test_first_show.moc"
