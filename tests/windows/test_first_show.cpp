// Work put off until a window is first shown: it runs once, at that show, before the
// window's own show handling sees the window, and never for a window that is not shown.

#include "window_look.h"

#include <QDialog>
#include <QLabel>
#include <QtTest>

namespace {

// Records the label's width as the window's own show handling finds it.
class Window : public QDialog {
public:
    QLabel* label = new QLabel(QStringLiteral("a text much wider than the label starts"), this);
    QList<int> widthsAtShow;

protected:
    void showEvent(QShowEvent* event) override
    {
        widthsAtShow.append(label->width());
        QDialog::showEvent(event);
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
    QTest::addColumn<int>("shows");
    QTest::addColumn<int>("runs");

    QTest::newRow("never shown") << 0 << 0;
    QTest::newRow("shown once") << 1 << 1;
    QTest::newRow("shown, hidden, shown again") << 3 << 1;
}

void TestFirstShow::runsOnceAtFirstShow()
{
    QFETCH(int, shows);
    QFETCH(int, runs);

    Window window;
    window.label->resize(10, 10);
    int ran = 0;
    WindowLook::beforeFirstShow(&window, [&] {
        ++ran;
        window.label->adjustSize();
    });
    QCOMPARE(window.label->width(), 10);

    for (int i = 0; i < shows; ++i) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.hide();
    }
    QCOMPARE(ran, runs);
    QCOMPARE(window.widthsAtShow.size(), shows);
    const int fitted = window.label->sizeHint().width();
    QVERIFY(fitted > 10);
    QCOMPARE(window.label->width(), shows == 0 ? 10 : fitted);
    for (int width : window.widthsAtShow) {
        QCOMPARE(width, fitted);
    }
}

QTEST_MAIN(TestFirstShow)
#include "test_first_show.moc"
