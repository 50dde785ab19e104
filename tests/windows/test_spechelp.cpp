// The relationship-kind indicator: markers, bar, the guarded disclaimer and its keys.

#include "window_test_support.h"

#include "assets.h"
#include "font_substitutions.h"
#include "modal_watcher.h"
#include "spechelp.h"
#include "tandemo.h"
#include "window_look.h"
#include "window_owner.h"

#include <QClipboard>
#include <QLabel>
#include <QProgressBar>
#include <QStyle>
#include <QTest>
#include <QTextEdit>

#include <memory>

class TestSpecHelp : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerFontSubstitutions(); }
    void init();
    void cleanup();

    void markers_data();
    void markers();
    void barBeforeAnyResults();
    void disclaimerFilledWithoutWarning();
    void everyChangeWarnsOnce_data();
    void everyChangeWarnsOnce();
    void tabOrderStartsAtDisclaimer();
    void keys_data();
    void keys();
    void window();
    void labels_data();
    void labels();

private:
    TSpecHelp* specHelp() const { return m_owner->windows().specHelp; }
    QTextEdit* disclaimer() const { return child<QTextEdit>(specHelp(), "RichEdit1"); }
    void open();

    std::unique_ptr<MessageBoxCloser> m_boxes;
    std::unique_ptr<WindowOwner> m_owner;
};

void TestSpecHelp::init()
{
    m_boxes = std::make_unique<MessageBoxCloser>();
    m_owner = std::make_unique<WindowOwner>();
    m_owner->createWindows();
}

void TestSpecHelp::cleanup()
{
    closeLeftoverModals();
    m_owner.reset();
    m_boxes.reset();
}

void TestSpecHelp::open()
{
    specHelp()->open();
    QVERIFY(QTest::qWaitForWindowActive(specHelp()));
}

void TestSpecHelp::markers_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("x");
    QTest::addColumn<QString>("message");
    QTest::newRow("0 %") << "Button1" << 32 << "БЕЗРАЗЛИЧИЕ";
    QTest::newRow("25 %") << "Button2" << 120 << "ПРИЯЗНЕННОЕ ОТНОШЕНИЕ";
    QTest::newRow("50 %") << "Button3" << 208 << "СИМПАТИЯ";
    QTest::newRow("75 %") << "Button4" << 296 << "ЛЁГКОЕ РОМАНТИЧЕСКОЕ ВЛЕЧЕНИЕ";
    QTest::newRow("100 %") << "Button5" << 384 << "ВЛЮБЛЁННОСТЬ";
}

void TestSpecHelp::markers()
{
    QFETCH(QString, button);
    QFETCH(int, x);
    QFETCH(QString, message);
    open();
    auto* marker = child<QPushButton>(specHelp(), button);
    QCOMPARE(marker->geometry(), QRect(x, 112, 9, 25));
    QVERIFY(marker->text().isEmpty());
    QVERIFY(!marker->accessibleName().isEmpty());

    QTest::mouseClick(marker, Qt::LeftButton);
    QCOMPARE(m_boxes->texts(), QStringList{message});
    QCOMPARE(m_boxes->seen().front().icon, QMessageBox::NoIcon);
    QVERIFY(specHelp()->isVisible());
}

void TestSpecHelp::barBeforeAnyResults()
{
    auto* bar = child<QProgressBar>(specHelp(), "ProgressBar1");
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 100);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(bar->geometry(), QRect(32, 136, 361, 13));
    open();
    QCOMPARE(bar->value(), 0);
}

void TestSpecHelp::disclaimerFilledWithoutWarning()
{
    QTextEdit* text = disclaimer();
    QCOMPARE(text->toPlainText(), Assets::readText(Assets::Disclaimer));
    QCOMPARE(text->document()->blockCount(), 20);
    QVERIFY(!text->isReadOnly());
    open();
    QCOMPARE(QApplication::focusWidget(), text);
    QTest::qWait(50);
    QVERIFY(m_boxes->seen().isEmpty());
}

void TestSpecHelp::everyChangeWarnsOnce_data()
{
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<int>("warnings");
    QTest::addColumn<QString>("result");

    const QString original = Assets::readText(Assets::Disclaimer);
    const qsizetype firstLineEnd = original.indexOf(QLatin1Char('\n'));
    QTestEventList letter;
    letter.addKeyClicks(QStringLiteral("x"));
    QTest::newRow("a letter") << letter << "" << 1 << QStringLiteral("x") + original;
    QTestEventList twoLetters;
    twoLetters.addKeyClicks(QStringLiteral("ab"));
    QTest::newRow("two letters") << twoLetters << "" << 2 << QStringLiteral("ab") + original;
    QTestEventList backspace;
    backspace.addKeyClick(Qt::Key_End);
    backspace.addKeyClick(Qt::Key_Backspace);
    QTest::newRow("backspace") << backspace << "" << 1
                               << QString(original).remove(firstLineEnd - 1, 1);
    QTestEventList del;
    del.addKeyClick(Qt::Key_Delete);
    QTest::newRow("delete") << del << "" << 1 << original.mid(1);
    QTestEventList paste;
    paste.addKeyClick(Qt::Key_V, Qt::ControlModifier);
    QTest::newRow("paste") << paste << "Вставка" << 1 << QStringLiteral("Вставка") + original;
    QTestEventList enter;
    enter.addKeyClick(Qt::Key_Return);
    QTest::newRow("Enter makes a new line") << enter << "" << 1 << "\n" + original;
    QTestEventList moving;
    moving.addKeyClick(Qt::Key_End);
    moving.addKeyClick(Qt::Key_Down);
    moving.addKeyClick(Qt::Key_Home);
    QTest::newRow("moving the cursor changes nothing") << moving << "" << 0 << original;
}

void TestSpecHelp::everyChangeWarnsOnce()
{
    QFETCH(QTestEventList, keys);
    QFETCH(QString, clipboard);
    QFETCH(int, warnings);
    if (!clipboard.isEmpty()) {
        QGuiApplication::clipboard()->setText(clipboard);
    }
    open();
    QCOMPARE(QApplication::focusWidget(), disclaimer());
    keys.simulate(QApplication::focusWidget());

    QCOMPARE(m_boxes->texts(), QStringList(warnings, QStringLiteral("НЕ ТРОГАЙТЕ!")));
    QTEST(disclaimer()->toPlainText(), "result");
    QVERIFY(specHelp()->isVisible());
}

void TestSpecHelp::tabOrderStartsAtDisclaimer()
{
    open();
    QStringList order{QApplication::focusWidget()->objectName()};
    for (int step = 0; step < 6; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order, QStringList({"RichEdit1", "Button1", "Button2", "Button3", "Button4", "Button5",
                                 "BitBtn1"}));
    QVERIFY(m_boxes->seen().isEmpty());
}

void TestSpecHelp::keys_data()
{
    QTest::addColumn<QString>("focus"); // empty: the key reaches the window itself
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("Enter on ВСЁ ПОНЯТНО")
        << "BitBtn1" << int(Qt::Key_Return) << true << QStringList{};
    QTest::newRow("Enter on the window") << "" << int(Qt::Key_Return) << true << QStringList{};
    QTest::newRow("keypad Enter on the window")
        << "" << int(Qt::Key_Enter) << true << QStringList{};
    QTest::newRow("Enter on a marker")
        << "Button3" << int(Qt::Key_Return) << false << QStringList{"СИМПАТИЯ"};
    QTest::newRow("Escape on the window") << "" << int(Qt::Key_Escape) << false << QStringList{};
    QTest::newRow("Escape in the disclaimer")
        << "RichEdit1" << int(Qt::Key_Escape) << false << QStringList{};
}

void TestSpecHelp::keys()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(bool, closed);
    open();
    QWidget* target = specHelp();
    if (!focus.isEmpty()) {
        target = child<QWidget>(specHelp(), focus);
        target->setFocus();
    }
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(!specHelp()->isVisible(), closed);
    if (closed) {
        QCOMPARE(specHelp()->result(), int(QDialog::Accepted));
    }
    QTEST(m_boxes->texts(), "messages");
}

void TestSpecHelp::window()
{
    TSpecHelp* window = specHelp();
    QCOMPARE(window->windowTitle(), QStringLiteral("SpecHelp"));
    QCOMPARE(window->size(), QSize(417, 367));
    QCOMPARE(window->parentWidget(), static_cast<QWidget*>(m_owner->windows().tandemo));
    QVERIFY(
        window->windowFlags().testFlags(Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint));
    QCOMPARE(window->palette().color(QPalette::Window), WindowLook::silver);
    open();
    QCOMPARE(window->pos(), QPoint(237, 110));

    auto* heading = child<QLabel>(specHelp(), "Label5");
    QCOMPARE(heading->geometry(), QRect(48, 8, 315, 22));
    QCOMPARE(heading->text(), QStringLiteral("СПЕЦИАЛЬНАЯ ИНФОРМАЦИЯ"));
    QCOMPARE(heading->font().family(), QStringLiteral("Small Fonts"));
    QCOMPARE(heading->font().pixelSize(), 19);
    QVERIFY(heading->font().bold() && heading->font().underline());
    QVERIFY(textFits(heading));
    QCOMPARE(heading->palette().color(QPalette::WindowText), WindowLook::red);
    QVERIFY(heading->autoFillBackground());
    QCOMPARE(heading->palette().color(QPalette::Window), WindowLook::yellow);

    QTextEdit* text = disclaimer();
    QCOMPARE(text->geometry(), QRect(16, 168, 393, 161));
    QCOMPARE(text->palette().color(QPalette::Base), WindowLook::purple);
    // The menu text, black, lightened to read on purple.
    QCOMPARE(text->palette().color(QPalette::Text), QColor(180, 180, 180));
    QCOMPARE(text->font().pixelSize(), 11);
    QCOMPARE(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    auto* ok = child<QPushButton>(window, "BitBtn1");
    QCOMPARE(ok->geometry(), QRect(136, 336, 147, 25));
    QCOMPARE(ok->text(), QStringLiteral("ВСЁ ПОНЯТНО"));
    QVERIFY(ok->isDefault());
    QCOMPARE(ok->font().pixelSize(), 13);
    QVERIFY(ok->font().bold());
    // Red a shade darker, to read on the default button's tinted face.
    QCOMPARE(ok->palette().color(QPalette::ButtonText), QColor(206, 0, 0));
    QCOMPARE(ok->icon().pixmap(16).toImage(),
             window->style()->standardIcon(QStyle::SP_DialogOkButton).pixmap(16).toImage());
}

void TestSpecHelp::labels_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour");

    const QColor desktop = WindowLook::desktopBackground();
    QTest::newRow("Label1") << "Label1" << QPoint(48, 40)
                            << "ДАННЫЙ ИНДИКАТОР ПОКАЗЫВАЕТ ВИД ОТНОШЕНИЙ," << desktop;
    QTest::newRow("Label3") << "Label3" << QPoint(64, 56) << "ВОЗНИКНОВЕНИЕ КОТОРОГО МОЖНО ОЖИДАТЬ "
                            << desktop;
    QTest::newRow("Label4") << "Label4" << QPoint(48, 72)
                            << QString(16, u' ') + "С ВЕРОЯТНОСТЬЮ, БЛИЗКОЙ К 100%..." +
                                   QString(17, u' ')
                            << desktop;
    QTest::newRow("Label2") << "Label2" << QPoint(64, 88)
                            << "Для информации нажмите на соответствующую клавишу !"
                            << WindowLook::menuText();
}

void TestSpecHelp::labels()
{
    QFETCH(QString, label);
    QFETCH(QPoint, position);
    // Labels take the size of their texts when the window is first opened.
    open();
    auto* shown = child<QLabel>(specHelp(), label);
    QCOMPARE(shown->pos(), position);
    QCOMPARE(shown->size(), shown->sizeHint());
    QVERIFY(textFits(shown));
    QTEST(shown->text(), "text");
    QTEST(shown->palette().color(QPalette::WindowText), "colour");
    QCOMPARE(shown->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(shown->font().pixelSize(), 11);
    QVERIFY(!shown->autoFillBackground()); // on the window's silver
}

QTEST_MAIN(TestSpecHelp)
#include "test_spechelp.moc"
