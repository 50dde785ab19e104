// Every window used from the keyboard alone: Tab walks the controls in the order a reader
// meets them in the designed layout (only the designed default buttons ever being
// default on the way), Space ticks the answer boxes, Enter presses the
// focused button, and F10 or a bare Alt reach the menu.

#include "font_substitutions.h"
#include "modal_watcher.h"
#include "questionnaire_driver.h"
#include "survey_model.h"
#include "tandemo.h"
#include "url_recorder.h"
#include "window_owner.h"
#include "window_test_support.h"

#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>
#include <memory>

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerFontSubstitutions(); }
    void init();
    void cleanup();

    void tabOrderFollowsTheLayout_data();
    void tabOrderFollowsTheLayout();
    void spaceTicksAnswerBoxes_data();
    void spaceTicksAnswerBoxes();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void enterLeavesAnswerBoxesAlone();
    void menuFromTheKeyboard_data();
    void menuFromTheKeyboard();
    void menuCommandsByKeys();

private:
    // Shows a window as its own active top-level, so that it takes key events.
    void activate(QWidget* window);
    // The survey in the state a script of "start", "qN" and "tN" steps leaves it.
    void prepare(const QString& script);
    // After the script, the named window active on the given page of its tabs.
    QWidget* open(const QString& windowName, const QString& script, int tab);

    std::unique_ptr<WindowOwner> m_owner;
    TTandemo* m_tandemo = nullptr;
};

void TestKeyboard::init()
{
    m_owner = std::make_unique<WindowOwner>(numberedWeights());
    m_owner->createWindows();
    m_tandemo = m_owner->windows().tandemo;
    activate(m_tandemo);
}

void TestKeyboard::cleanup()
{
    closeLeftoverModals();
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    }
    m_owner.reset();
}

void TestKeyboard::activate(QWidget* window)
{
    // The secondary windows are dialogs over the questionnaire; opened as their callers
    // open them, they take the keyboard from it.
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->open();
    } else {
        window->show();
        window->activateWindow();
    }
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTRY_COMPARE(QApplication::activeWindow(), window);
}

void TestKeyboard::prepare(const QString& script)
{
    for (const QString& step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (step == QLatin1String("start")) {
            child<QAction>(m_tandemo, QStringLiteral("N2"))->trigger();
        } else if (step.startsWith(QLatin1Char('q'))) {
            click(m_tandemo, QStringLiteral("BitBtn") + step.mid(1));
        } else if (step.startsWith(QLatin1Char('t'))) {
            child<QCheckBox>(m_tandemo, QStringLiteral("CheckBox") + step.mid(1))->click();
        } else {
            QFAIL(qPrintable("unknown step " + step));
        }
    }
}

QWidget* TestKeyboard::open(const QString& windowName, const QString& script, int tab)
{
    prepare(script);
    QWidget* top = topLevel(windowName);
    if (auto* tabs = top->findChild<QTabWidget*>()) {
        tabs->setCurrentIndex(tab);
    }
    activate(top);
    return top;
}

void TestKeyboard::tabOrderFollowsTheLayout_data()
{
    QTest::addColumn<QString>("windowName");
    QTest::addColumn<QString>("script"); // for the questionnaire: the survey's state
    QTest::addColumn<int>("tab");        // for the results window: the page shown
    // The controls Tab reaches, in order, starting from the first; one more Tab comes
    // back to the first.
    QTest::addColumn<QStringList>("order");

    const auto row = [](const char* name, const char* windowName, const char* script, int tab,
                        const QStringList& order) {
        QTest::newRow(name) << QString(windowName) << QString(script) << tab << order;
    };
    const QStringList questions{"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4",
                                "BitBtn5", "BitBtn6", "BitBtn7"};
    const QStringList boxes{"CheckBox1", "CheckBox2", "CheckBox3",
                            "CheckBox4", "CheckBox5", "CheckBox6"};
    row("questionnaire before the start", "TTandemo", "", 0, {"BitBtn10"});
    row("questionnaire on question 1", "TTandemo", "start q1", 0,
        QStringList{"BitBtn10"} + questions + QStringList{"Edit1"} + boxes);
    row("questionnaire with results available", "TTandemo", "start q1 q2 q3 q4 q5 q6 q7 t1", 0,
        questions + QStringList{"BitBtn8", "Edit1"} + boxes.first(4));
    const QString tabBar = QStringLiteral("qt_tabwidget_tabbar");
    row("results, first tab", "TResults", "", 0, {tabBar, "StringGrid1", "BitBtn9", "Button1"});
    row("results, second tab", "TResults", "", 1,
        {tabBar, "Edit1", "Edit4", "Edit2", "Edit3", "BitBtn1"});
    row("results, third tab", "TResults", "", 2,
        {tabBar, "Memo1", "BitBtn4", "BitBtn11", "BitBtn3", "BitBtn5", "BitBtn2"});
    row("current probability", "TInfo", "", 0, {"Edit1", "BitBtn1"});
    // The disclaimer text takes Tab as text, so the walk starts after it.
    row("indicator", "TSpecHelp", "", 0,
        {"Button1", "Button2", "Button3", "Button4", "Button5", "BitBtn1", "RichEdit1"});
    row("attraction", "TAttract", "", 0, {"Memo1", "BitBtn1"});
    row("about", "TAboutBox", "", 0, {"OKButton"});
}

void TestKeyboard::tabOrderFollowsTheLayout()
{
    QFETCH(QString, windowName);
    QFETCH(QString, script);
    QFETCH(int, tab);
    QFETCH(QStringList, order);
    QWidget* top = open(windowName, script, tab);
    QWidget* first = order.first() == QLatin1String("qt_tabwidget_tabbar")
                         ? static_cast<QWidget*>(top->findChild<QTabWidget*>()->tabBar())
                         : child<QWidget>(top, order.first());
    first->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), first);

    // Wherever the focus is, only the designed default button is default (and drawn so).
    const QStringList designedDefault =
        windowName == QLatin1String("TSpecHelp")   ? QStringList{"BitBtn1"}
        : windowName == QLatin1String("TAboutBox") ? QStringList{"OKButton"}
                                                   : QStringList{};
    const auto defaults = [top] {
        QStringList names;
        for (const QPushButton* button : top->findChildren<QPushButton*>()) {
            if (button->window() == top && button->isDefault()) {
                names << button->objectName();
            }
        }
        return names;
    };
    QCOMPARE(defaults(), designedDefault);
    QStringList walked{order.first()};
    for (int i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
        QCOMPARE(defaults(), designedDefault);
    }
    QCOMPARE(walked, order + QStringList{order.first()});

    // Shift+Tab walks the same ring backwards.
    QStringList back{order.first()};
    for (int i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        back << QApplication::focusWidget()->objectName();
    }
    QStringList reversed{order.first()};
    for (qsizetype i = order.size() - 1; i >= 0; --i) {
        reversed << order.at(i);
    }
    QCOMPARE(back, reversed);
}

void TestKeyboard::spaceTicksAnswerBoxes_data()
{
    QTest::addColumn<int>("question");
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("weight"); // recorded for that question by the tick
    QTest::newRow("question 1, box 1") << 1 << 1 << 0.11;
    QTest::newRow("question 1, box 3") << 1 << 3 << 0.13;
    QTest::newRow("question 1, box 6") << 1 << 6 << 0.16;
    QTest::newRow("question 2, box 3") << 2 << 3 << 0.23;
    QTest::newRow("question 7, box 4") << 7 << 4 << 0.74;
}

void TestKeyboard::spaceTicksAnswerBoxes()
{
    QFETCH(int, question);
    QFETCH(int, position);
    QFETCH(double, weight);
    prepare(QStringLiteral("start q1 q%1").arg(question));
    auto* box = child<QCheckBox>(m_tandemo, QStringLiteral("CheckBox%1").arg(position));
    box->setFocus(Qt::TabFocusReason);
    const bool before = box->isChecked();
    QTest::keyClick(box, Qt::Key_Space);
    QCOMPARE(box->isChecked(), !before);
    QCOMPARE(m_owner->windows().model->weight(question), weight);
}

void TestKeyboard::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("windowName");
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    // What the press shows: a window's object name, a message box's text start, or an
    // address handed to the desktop.
    QTest::addColumn<QString>("effect");

    const auto row = [](const char* name, const char* windowName, const char* script, int tab,
                        const char* button, Qt::Key key, const char* effect) {
        QTest::newRow(name) << QString(windowName) << QString(script) << tab << QString(button)
                            << int(key) << QString::fromUtf8(effect);
    };
    const Qt::Key ret = Qt::Key_Return;
    const Qt::Key enter = Qt::Key_Enter;
    row("question button, Return", "TTandemo", "start", 0, "BitBtn3", ret, "question 3");
    row("question button, keypad Enter", "TTandemo", "start", 0, "BitBtn5", enter, "question 5");
    row("banner", "TTandemo", "", 0, "BitBtn10", ret, "url http://tandemo.example");
    row("results button", "TTandemo", "start q1 q2 q3 q4 q5 q6 q7 t1", 0, "BitBtn8", ret,
        "window TResults");
    row("shop banner", "TResults", "", 0, "BitBtn9", ret, "url http://shop.example/porta.phtml");
    row("СПРАВКА", "TResults", "", 0, "Button1", ret, "message Вероятность, которая колеблется");
    row("ВЫЧИСЛИТЬ", "TResults", "", 1, "BitBtn1", ret, "edit Edit3 0%");
    row("Подробности", "TResults", "", 2, "BitBtn3", ret, "window TSpecHelp");
    row("partner banner", "TResults", "", 2, "BitBtn11", enter,
        "url http://shop.example/partner.phtml");
    row("marker 50 %", "TSpecHelp", "", 0, "Button3", ret, "message СИМПАТИЯ");
}

void TestKeyboard::enterPressesTheFocusedButton()
{
    QFETCH(QString, windowName);
    QFETCH(QString, script);
    QFETCH(int, tab);
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(QString, effect);
    QWidget* top = open(windowName, script, tab);
    auto* target = child<QAbstractButton>(top, button);
    target->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), target);

    UrlRecorder urls;
    const QString kind = effect.section(QLatin1Char(' '), 0, 0);
    const QString what = effect.section(QLatin1Char(' '), 1);
    QString modalName;
    QString messageText;
    NextModal modal([&](QWidget* shown) {
        modalName = shown->objectName();
        shown->close();
    });
    MessageBoxCloser boxes;
    const Qt::KeyboardModifiers modifiers =
        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    QTest::keyClick(target, Qt::Key(key), modifiers);
    QTRY_VERIFY(kind != QLatin1String("message") || !boxes.seen().isEmpty());

    if (kind == QLatin1String("question")) {
        const int n = what.toInt();
        QCOMPARE(target->font().pixelSize(), 19);
        QVERIFY(m_owner->windows().model->isCurrent(n));
    } else if (kind == QLatin1String("url")) {
        QCOMPARE(urls.urls.size(), 1);
        QVERIFY2(urls.urls.first().toString().startsWith(what),
                 qPrintable(urls.urls.first().toString()));
    } else if (kind == QLatin1String("window")) {
        QVERIFY(modal.ran());
        QCOMPARE(modalName, what);
    } else if (kind == QLatin1String("message")) {
        QVERIFY2(boxes.texts().first().startsWith(what), qPrintable(boxes.texts().first()));
    } else if (kind == QLatin1String("edit")) {
        const QString editName = what.section(QLatin1Char(' '), 0, 0);
        QCOMPARE(child<QLineEdit>(top, editName)->text(), what.section(QLatin1Char(' '), 1));
    } else {
        QFAIL(qPrintable("unknown effect " + effect));
    }
}

void TestKeyboard::enterLeavesAnswerBoxesAlone()
{
    // Enter does not tick a box (only Space does), nor does it reach a button elsewhere.
    prepare(QStringLiteral("start q1"));
    auto* box = child<QCheckBox>(m_tandemo, QStringLiteral("CheckBox2"));
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(!box->isChecked());
    QVERIFY(m_owner->windows().model->isCurrent(1));
    QVERIFY(!m_owner->windows().model->isCurrent(2));
}

void TestKeyboard::menuFromTheKeyboard_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("menu"); // the menu that opens
    QTest::newRow("F10") << QList<int>{Qt::Key_F10} << "N1";
    QTest::newRow("Alt, then Down") << QList<int>{Qt::Key_Alt, Qt::Key_Down} << "N1";
    QTest::newRow("Alt, Right, Down")
        << QList<int>{Qt::Key_Alt, Qt::Key_Right, Qt::Key_Down} << "N5";
    QTest::newRow("F10, Left wraps to the last menu")
        << QList<int>{Qt::Key_F10, Qt::Key_Left} << "N8";
}

void TestKeyboard::menuFromTheKeyboard()
{
    QFETCH(QList<int>, keys);
    QFETCH(QString, menu);
    prepare(QStringLiteral("start q1"));
    child<QWidget>(m_tandemo, QStringLiteral("BitBtn1"))->setFocus(Qt::TabFocusReason);
    for (int key : keys) {
        QWidget* receiver = QApplication::activePopupWidget();
        if (!receiver) {
            receiver = QApplication::focusWidget();
        }
        QTest::keyClick(receiver, Qt::Key(key));
    }
    QTRY_VERIFY(QApplication::activePopupWidget());
    QCOMPARE(QApplication::activePopupWidget()->objectName(), menu);
}

void TestKeyboard::menuCommandsByKeys()
{
    // F10, Down to "ЗАПУСК ОПРОСНИКА", Enter: the questionnaire starts.
    child<QWidget>(m_tandemo, QStringLiteral("BitBtn10"))->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return);
    QTRY_VERIFY(child<QWidget>(m_tandemo, QStringLiteral("BitBtn1"))->isVisible());
    QVERIFY(!QApplication::activePopupWidget());
}

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
