// The questionnaire window driven as a user drives it: menu commands, question
// buttons and answer boxes, checked against what a user sees and what the survey
// records.

#include "font_substitutions.h"
#include "link_opener.h"
#include "modal_watcher.h"
#include "questionnaire_driver.h"
#include "survey_model.h"
#include "tandemo.h"
#include "tandemo_version.h"
#include "url_recorder.h"
#include "window_look.h"
#include "window_owner.h"
#include "window_test_support.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

namespace {

QStringList allSurveyControls()
{
    QStringList names{"Label1", "Label2", "Label3", "Edit1", "BitBtn8", "BitBtn10"};
    for (int n = 1; n <= 7; ++n) {
        names << QStringLiteral("BitBtn%1").arg(n);
    }
    for (int n = 1; n <= 6; ++n) {
        names << QStringLiteral("CheckBox%1").arg(n);
    }
    return names;
}

} // namespace

class TestTandemo : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerFontSubstitutions(); }
    void init();
    void cleanup();

    void windowProperties();
    void controlsAsDesigned_data();
    void controlsAsDesigned();
    void menu_data();
    void menu();
    void visibilityThroughTheSurvey_data();
    void visibilityThroughTheSurvey();
    void questionCaptionsMirrorMarks_data();
    void questionCaptionsMirrorMarks();
    void recordingThroughBoxClicks_data();
    void recordingThroughBoxClicks();
    void questionTextsFollowTheButtons_data();
    void questionTextsFollowTheButtons();
    void menuMessages_data();
    void menuMessages();
    void bannerOpensDeveloperSite();
    void closingEmitsClosed_data();
    void closingEmitsClosed();

private:
    QWidget* control(const QString& name) { return child<QWidget>(m_window, name); }
    QAction* action(const QString& name) { return child<QAction>(m_window, name); }
    void click(const QString& name);
    void play(const QString& script);
    QStringList visibleControls();

    std::unique_ptr<WindowOwner> m_owner;
    TTandemo* m_window = nullptr;
};

void TestTandemo::init()
{
    m_owner = std::make_unique<WindowOwner>(numberedWeights());
    m_owner->createWindows();
    m_window = m_owner->windows().tandemo;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestTandemo::cleanup()
{
    closeLeftoverModals();
    m_owner.reset();
}

void TestTandemo::click(const QString& name)
{
    QWidget* target = control(name);
    QVERIFY2(target->isVisible(), qPrintable(name + " is not visible, so it cannot be clicked"));
    // On a check box the click has to land on its box or caption, not on the empty
    // right part of its 465-pixel strip.
    const QPoint at = qobject_cast<QCheckBox*>(target) ? QPoint(7, target->height() / 2)
                                                       : target->rect().center();
    QTest::mouseClick(target, Qt::LeftButton, {}, at);
}

// "start", "abort": the menu commands; "qN": question button N; "tN": answer box N.
void TestTandemo::play(const QString& script)
{
    for (const QString& step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (step == QLatin1String("start")) {
            action(QStringLiteral("N2"))->trigger();
        } else if (step == QLatin1String("abort")) {
            action(QStringLiteral("N4"))->trigger();
        } else if (step.startsWith(QLatin1Char('q'))) {
            click(QStringLiteral("BitBtn") + step.mid(1));
        } else if (step.startsWith(QLatin1Char('t'))) {
            click(QStringLiteral("CheckBox") + step.mid(1));
        } else {
            QFAIL(qPrintable("unknown step " + step));
        }
    }
}

QStringList TestTandemo::visibleControls()
{
    QStringList visible;
    for (const QString& name : allSurveyControls()) {
        if (control(name)->isVisible()) {
            visible << name;
        }
    }
    visible.sort();
    return visible;
}

void TestTandemo::windowProperties()
{
    QCOMPARE(m_window->windowTitle(),
             QStringLiteral("Tandemo ") + QLatin1String(TandemoVersion::caption));
    QCOMPARE(m_window->size(), QSize(600, 320));
    const Qt::WindowFlags flags = m_window->windowFlags();
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(m_window->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(m_window->font().pixelSize(), 11);
    QWidget* client = control(QStringLiteral("Client"));
    QCOMPARE(client->palette().color(QPalette::Window), WindowLook::purple);
    QVERIFY(client->autoFillBackground());
    // Centred on the screen each time it is shown, not at its designed (137, 139).
    const QRect screen = m_window->screen()->geometry();
    const QRect frame = m_window->frameGeometry();
    QVERIFY(qAbs(frame.center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(frame.center().y() - screen.center().y()) <= 1);
    m_window->hide();
    m_window->move(0, 0);
    m_window->show();
    QCOMPARE(m_window->frameGeometry().center(), frame.center());
}

void TestTandemo::controlsAsDesigned_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("textColour");
    QTest::addColumn<QColor>("background"); // invalid: not filled by the control
    const QColor none;
    const QString label1 = QStringLiteral("Ниже Вам предлагается ответить на вопросы,    ");
    QTest::newRow("Label1") << "Label1" << QRect(32, 8, 345, 17) << label1 << "Bookman Old Style"
                            << 13 << true << WindowLook::lime << WindowLook::purple;
    QTest::newRow("Label2") << "Label2" << QRect(32, 24, 382, 16)
                            << "касающиеся Ваших нынешних отношений. Вот они..."
                            << "Bookman Old Style" << 13 << true << WindowLook::lime
                            << WindowLook::purple;
    QTest::newRow("Label3") << "Label3" << QRect(16, 56, 71, 19) << "ВОПРОС"
                            << "Arial" << 16 << true << QColor(162, 0, 0) << WindowLook::silver;
    for (int n = 1; n <= 7; ++n) {
        const QString name = QStringLiteral("BitBtn%1").arg(n);
        QTest::newRow(qPrintable(name))
            << name << QRect(96 + 40 * (n - 1), 48, 33, 33) << QString::number(n) << "MS Sans Serif"
            << 11 << false << WindowLook::windowText() << none;
    }
    QTest::newRow("Edit1") << "Edit1" << QRect(32, 104, 545, 24)
                           << "На данный момент в Вашей личной жизни такая ситуация:"
                           << "MS Sans Serif" << 13 << false << QColor() << none;
    const char* answers[] = {
        "Другие люди (кроме  одного данного) Вас особо не привлекают.",
        "Вы испытываете и к другим людям подобные чувства, но не знаете взаимны ли они.",
        "Вы встречаетесь с другим, любите его и всем довольны.",
        "Вы встречаетесь с другим, но в Ваших отношениях много проблем.",
        "Вы встречаетесь с другим, но отношения рушатся.",
        "Любимый человек порвал отношения по собственной инициативе."};
    for (int n = 1; n <= 6; ++n) {
        const QString name = QStringLiteral("CheckBox%1").arg(n);
        QTest::newRow(qPrintable(name))
            << name << QRect(32, 144 + 24 * (n - 1), 465, 17) << QString::fromUtf8(answers[n - 1])
            << "MS Sans Serif" << 11 << false << QColor() << WindowLook::olive;
    }
    QTest::newRow("BitBtn8") << "BitBtn8" << QRect(392, 48, 145, 33) << "РЕЗУЛЬТАТЫ !"
                             << "Tahoma" << 16 << true << WindowLook::activeCaption() << none;
    QTest::newRow("BitBtn10") << "BitBtn10" << QRect(424, 16, 145, 57) << ""
                              << "MS Sans Serif" << 11 << false << QColor() << none;
}

void TestTandemo::controlsAsDesigned()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(QString, family);
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    QFETCH(QColor, textColour);
    QFETCH(QColor, background);
    QWidget* widget = control(name);
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(widget->parentWidget()->objectName(), QStringLiteral("Client"));
    QString shown;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        shown = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        shown = button->text();
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        shown = edit->text();
        QVERIFY(edit->isReadOnly());
    }
    QCOMPARE(shown, text);
    QCOMPARE(widget->font().family(), family);
    QCOMPARE(widget->font().pixelSize(), pixels);
    QCOMPARE(widget->font().bold(), bold);
    if (textColour.isValid()) {
        const QPalette::ColorRole role =
            qobject_cast<QAbstractButton*>(widget) && !qobject_cast<QCheckBox*>(widget)
                ? QPalette::ButtonText
                : QPalette::WindowText;
        QCOMPARE(widget->palette().color(role), textColour);
    }
    if (background.isValid()) {
        QVERIFY(widget->autoFillBackground());
        // What the fill uses: a check box fills with its Button role, a label with Window.
        QCOMPARE(widget->palette().color(widget->backgroundRole()), background);
    }
}

void TestTandemo::menu_data()
{
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("topText");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("N1") << "N1"
                        << "УПРАВЛЕНИЕ" << QStringList{"N2", "N4", "N10", "N11"}
                        << QStringList{"ЗАПУСК ОПРОСНИКА", "ПРЕРВАТЬ ОПРОС", "НЕ ЛГУТ ЛИ ВАМ?",
                                       "ВЫХОД"};
    QTest::newRow("N5") << "N5"
                        << "СПРАВКА" << QStringList{"N6", "N7", "N9"}
                        << QStringList{"АТТРАКЦИЯ", "КАК РАБОТАТЬ?", "ТЕКУЩАЯ ВЕРОЯНОСТЬ"};
    QTest::newRow("N8") << "N8"
                        << "О ПРОГРАММЕ" << QStringList{"Tandemo1"} << QStringList{"Tandemo"};
}

void TestTandemo::menu()
{
    QFETCH(QString, top);
    QFETCH(QString, topText);
    QFETCH(QStringList, items);
    QFETCH(QStringList, texts);
    QMenu* menu = child<QMenu>(m_window, top);
    QCOMPARE(menu->title(), topText);
    QVERIFY(child<QMenuBar>(m_window, QStringLiteral("MainMenu1"))
                ->actions()
                .contains(menu->menuAction()));
    QStringList names;
    QStringList shown;
    for (QAction* item : menu->actions()) {
        names << item->objectName();
        shown << item->text();
    }
    QCOMPARE(names, items);
    QCOMPARE(shown, texts);
}

void TestTandemo::visibilityThroughTheSurvey_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("visible");
    const QStringList started{"BitBtn1", "BitBtn10", "BitBtn2", "BitBtn3", "BitBtn4", "BitBtn5",
                              "BitBtn6", "BitBtn7",  "Label1",  "Label2",  "Label3"};
    QStringList question1 = started;
    question1.removeOne("Label2");
    question1 +=
        {"Edit1", "CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5", "CheckBox6"};
    QStringList question2 = question1;
    question2.removeOne("CheckBox6");
    QStringList question7 = question2;
    question7.removeOne("CheckBox5");
    question7.removeOne("BitBtn10");
    QStringList results7 = question7;
    results7 << "BitBtn8";

    QTest::newRow("at start only the banner") << "" << QStringList{"BitBtn10"};
    QTest::newRow("started") << "start" << started;
    QTest::newRow("question 1 shows the text and six boxes") << "start q1" << question1;
    QTest::newRow("question 2 hides box 6") << "start q1 q2" << question2;
    QTest::newRow("question 3 before 1 shows no question") << "start q3" << started;
    QTest::newRow("question 7 hides box 5 and the banner") << "start q1 q7" << question7;
    QTest::newRow("a tick on question 7 shows the results button") << "start q1 q7 t1" << results7;
    QTest::newRow("box 4 on question 7 too") << "start q1 q7 t4" << results7;
    QTest::newRow("after 7, question 6 keeps four boxes") << "start q1 q7 q6" << question7;
    QTest::newRow("question 1 again brings boxes 5 and 6 back")
        << "start q1 q7 q6 q1"
        << QStringList(question1).filter(QRegularExpression("^(?!BitBtn10$)"));
    QTest::newRow("abort keeps only results and banner")
        << "start q1 q7 t1 abort" << QStringList{"BitBtn8"};
    QTest::newRow("abort before 7 keeps the banner") << "start q1 abort" << QStringList{"BitBtn10"};
    QTest::newRow("restart after question 1 keeps the new first line but shows line 2")
        << "start q1 abort start" << started;
    QTest::newRow("banner stays hidden after restart")
        << "start q1 q7 abort start"
        << QStringList(started).filter(QRegularExpression("^(?!BitBtn10$)"));
    QTest::newRow("clearing after question 6 makes results available at once")
        << "start q1 q2 q3 q4 q5 q6 t2 q7" << results7;
    QTest::newRow("box 5 on question 6 then 7 does not") << "start q1 q6 t5 q7" << question7;
}

void TestTandemo::visibilityThroughTheSurvey()
{
    QFETCH(QString, script);
    QFETCH(QStringList, visible);
    play(script);
    visible.sort();
    QCOMPARE(visibleControls(), visible);
}

void TestTandemo::questionCaptionsMirrorMarks_data()
{
    QTest::addColumn<QString>("script");
    // Per button: 'c' current (red, 19 px), 'l' left (blue, 11 px), 'n' never selected.
    QTest::addColumn<QString>("looks");
    const auto row = [](const char* name, const char* script, const char* looks) {
        QTest::newRow(name) << QString(script) << QString(looks);
    };
    row("none", "start", "nnnnnnn");
    row("first", "start q1", "cnnnnnn");
    row("in order to 3", "start q1 q2 q3", "llcnnnn");
    row("4 straight after 2 paints only 3 blue", "start q1 q2 q4", "lclcnnn");
    row("3 straight after start", "start q3", "nlcnnnn");
    row("back to 1 after 3", "start q1 q2 q3 q1", "clcnnnn");
    row("all seven", "start q1 q2 q3 q4 q5 q6 q7", "llllllc");
}

void TestTandemo::questionCaptionsMirrorMarks()
{
    QFETCH(QString, script);
    QFETCH(QString, looks);
    play(script);
    for (int n = 1; n <= 7; ++n) {
        auto* button = child<QPushButton>(m_window, QStringLiteral("BitBtn%1").arg(n));
        const QChar look = looks.at(n - 1);
        const int pixels = look == QLatin1Char('c') ? 19 : 11;
        const QColor colour = look == QLatin1Char('c')   ? WindowLook::red
                              : look == QLatin1Char('l') ? WindowLook::blue
                                                         : WindowLook::windowText();
        QVERIFY2(button->font().pixelSize() == pixels, qPrintable(button->objectName()));
        QVERIFY2(button->palette().color(QPalette::ButtonText) == colour,
                 qPrintable(button->objectName()));
        QVERIFY(!button->font().bold());
    }
}

void TestTandemo::recordingThroughBoxClicks_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QList<double>>("weights");
    QTest::addColumn<int>("current");
    QTest::newRow("initial") << "" << QList<double>{0, 1, 1, 1, 1, 1, 0} << 0;
    QTest::newRow("question 1 marked, nothing ticked")
        << "start q1" << QList<double>{0, 1, 1, 1, 1, 1, 0} << 0;
    QTest::newRow("clearing box 1 records for question 2")
        << "start q1 t1 q2 q3" << QList<double>{0.11, 0.21, 1, 1, 1, 1, 0} << 12;
    QTest::newRow("clearing box 3 records for question 2")
        << "start q1 t3 q2" << QList<double>{0.13, 0.23, 1, 1, 1, 1, 0} << 3;
    QTest::newRow("unticking records the same weight again")
        << "start q1 t2 t2" << QList<double>{0.12, 1, 1, 1, 1, 1, 0} << 12;
    QTest::newRow("box 6 keeps its tick through question 1 again")
        << "start q1 t6 q1" << QList<double>{0.16, 1, 1, 1, 1, 1, 0} << 16;
    QTest::newRow("questions 1 and 3 both marked record together")
        << "start q1 q2 q3 q1 t2" << QList<double>{0.12, 1, 0.32, 1, 1, 1, 0} << 12;
    QTest::newRow("question 7 never released")
        << "start q1 q7 q3 t2" << QList<double>{0.12, 1, 0.32, 1, 1, 1, 0.72} << 12;
    QTest::newRow("skipping to 4 after 2 leaves 2 marked")
        << "start q1 q2 q4 t4" << QList<double>{0, 0.24, 1, 0.44, 1, 1, 0} << 0;
}

void TestTandemo::recordingThroughBoxClicks()
{
    QFETCH(QString, script);
    QFETCH(QList<double>, weights);
    QFETCH(int, current);
    play(script);
    const SurveyModel& model = *m_owner->windows().model;
    for (int q = 1; q <= 7; ++q) {
        QVERIFY2(model.weight(q) == weights.at(q - 1),
                 qPrintable(QStringLiteral("question %1").arg(q)));
    }
    QCOMPARE(m_owner->windows().model->currentProbability(), current);
}

void TestTandemo::questionTextsFollowTheButtons_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("box1");
    QTest::addColumn<QString>("box5");
    const auto row = [](const char* name, const char* script, const char* question,
                        const char* box1, const char* box5) {
        QTest::newRow(name) << QString(script) << QString::fromUtf8(question)
                            << QString::fromUtf8(box1) << QString::fromUtf8(box5);
    };
    row("question 2", "start q1 q2",
        "Отношение к Вам данного человека в процессе начального общения было:", "Безразличное",
        "Нескрываемая влюблённость");
    row("question 7 leaves box 5 with question 6's answer", "start q1 q6 q7",
        "В какой обстановке вы сейчас обычно встречаетесь?", "Скорее неприятной,чем приятной.",
        "Просто восхищало.");
    row("hidden controls still load", "start q3",
        "У вас обнаружились общие интересы, ценности, идеалы?", "Нет.", "Много.");
}

void TestTandemo::questionTextsFollowTheButtons()
{
    QFETCH(QString, script);
    QFETCH(QString, question);
    QFETCH(QString, box1);
    QFETCH(QString, box5);
    play(script);
    QCOMPARE(child<QLineEdit>(m_window, "Edit1")->text(), question);
    QCOMPARE(child<QCheckBox>(m_window, "CheckBox1")->text(), box1);
    QCOMPARE(child<QCheckBox>(m_window, "CheckBox5")->text(), box5);
    for (int pos = 1; pos <= 5; ++pos) {
        QVERIFY(!child<QCheckBox>(m_window, QStringLiteral("CheckBox%1").arg(pos))->isChecked());
    }
}

void TestTandemo::menuMessages_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::newRow("how to")
        << "N7"
        << QStringLiteral("Программа предназначена для оценки вероятности развития близких "
                          "отношений с человеком противоположного пола, если Вы с ним (с ней) "
                          "недавно познакомились. Для начала процедуры нажмите \"УПРАВЛЕНИЕ\" > "
                          "\"ЗАПУСК ОПРОСНИКА\". Отвечайте на все вопросы ! ")
        << QList<QUrl>{};
    QTest::newRow("lie detector, then the price page")
        << "N10"
        << QStringLiteral("ЕСЛИ СЕЙЧАС ВЫ ВОЙДЁТЕ В ИНТЕРНЕТ, ТО СМОЖЕТЕ ПРОЧИТАТЬ ПОЛНУЮ "
                          "ИНФОРМАЦИЮ О НОВОМ ДЕТЕКТОРЕ ЛЖИ, А ТАКЖЕ ПРИОБРЕСТИ ЕГО В МАГАЗИНЕ "
                          "SHOP.EXAMPLE")
        << QList<QUrl>{QUrl("http://www.shop.example/porta.phtml?from=tandemo&to=price4.htm")};
}

void TestTandemo::menuMessages()
{
    QFETCH(QString, command);
    UrlRecorder recorder;
    bool openedBeforeClosing = true;
    ModalWatcher watcher([&](QWidget*) { openedBeforeClosing = !recorder.urls.isEmpty(); });
    action(command)->trigger();
    QVERIFY(watcher.record().seen);
    QTEST(watcher.record().text, "text");
    QCOMPARE(watcher.record().icon, QMessageBox::NoIcon);
    QCOMPARE(watcher.record().title, QStringLiteral("windows_test_tandemo"));
    QVERIFY2(!openedBeforeClosing, "a page opens only after the message is closed");
    QTEST(recorder.urls, "urls");
}

void TestTandemo::bannerOpensDeveloperSite()
{
    UrlRecorder recorder;
    auto* banner = control("BitBtn10");
    QCOMPARE(banner->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(!banner->accessibleName().isEmpty());
    click("BitBtn10");
    QCOMPARE(recorder.urls, QList<QUrl>{QUrl("http://tandemo.example")});
}

void TestTandemo::closingEmitsClosed_data()
{
    QTest::addColumn<bool>("throughMenu");
    QTest::newRow("menu ВЫХОД") << true;
    QTest::newRow("close box") << false;
}

void TestTandemo::closingEmitsClosed()
{
    QFETCH(bool, throughMenu);
    QSignalSpy closed(m_window, &TTandemo::closed);
    if (throughMenu) {
        action("N11")->trigger();
    } else {
        m_window->close();
    }
    QCOMPARE(closed.count(), 1);
    QVERIFY(!m_window->isVisible());
}

QTEST_MAIN(TestTandemo)
#include "test_tandemo.moc"
