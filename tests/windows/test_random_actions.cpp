// A seeded random user drives the real windows on the offscreen platform: menu commands,
// question buttons, answer boxes, "РЕЗУЛЬТАТЫ !", the results window's tabs, edit boxes,
// "ВЫЧИСЛИТЬ" and links, the indicator's markers and disclaimer, the small windows, keys and
// close boxes, every message box, and now and then the end of the program and a new start.
// It only does what a person could do at that moment: with a modal window open it acts on
// the topmost one; otherwise on the questionnaire's visible, enabled controls and its menu.
//
// After every action the program is checked against a small reference of the
// questionnaire's rules kept here: which controls are visible, each question button's
// caption look, the answer boxes' texts and ticks, the model's weights, marks and results
// flag, the figures the windows show, which modal windows and message boxes are open (an
// error box must carry the conversion message of the typed text), and the addresses handed
// to the desktop.
//
// exec() blocks, so the user is a chain of zero-time single shots: each step schedules the
// next one before it acts, and when its action opens a modal window the next step runs
// inside that window's own event loop.
//
// TANDEMO_RANDOM_SEED sets the seed (default: from the clock), TANDEMO_RANDOM_ACTIONS the
// number of actions (default 20000). A failure prints the seed, the last actions and the
// file that holds all of them; the same seed replays the same actions.

#include "font_substitutions.h"
#include "link_opener.h"
#include "mpfr_extended.h"
#include "question_catalogue.h"
#include "survey_model.h"
#include "tandemo.h"
#include "url_recorder.h"
#include "window_look.h"
#include "window_owner.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QtTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <random>

namespace {

// ---------------------------------------------------------------------------------------
// The reference: the questionnaire's rules as a person reads them, and what each window
// should show.

// The figures are computed in the arithmetic this build's program computes with (the x87
// unit's format or GNU MPFR, extended.h), so the reference is right on every CPU; the
// questionnaire's rules for what is recorded when are this reference's own.
using Arithmetic = survey::NativeArithmetic;

QString percentText(int percent)
{
    return QString::number(percent) + QLatin1Char('%');
}

QString utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

enum class Look { Never, Current, Left };

struct Questionnaire {
    // Visibility of the survey controls.
    bool labels = false; // Label1 and Label3
    bool label2 = false;
    bool questionButtons = false;
    bool edit1 = false;
    std::array<bool, 6> box{};
    bool resultsButton = false;
    bool banner = true;

    std::array<Look, 7> look{};
    QString label1 = QStringLiteral("Ниже Вам предлагается ответить на вопросы,    ");
    QString questionText = utf8(QuestionCatalogue::text(1));
    std::array<QString, 6> boxText;
    std::array<bool, 6> ticked{};

    // The survey.
    std::array<bool, 7> current{};
    std::array<double, 7> weight{0.0, 1.0, 1.0, 1.0, 1.0, 1.0, 0.0};
    bool resultsAvailable = false;
    double p = 0.0;

    Questionnaire()
    {
        for (int pos = 1; pos <= 6; ++pos) {
            boxText[pos - 1] = utf8(QuestionCatalogue::answerText(1, pos));
        }
    }

    void start() { labels = label2 = questionButtons = true; }

    void abort()
    {
        labels = label2 = questionButtons = edit1 = false;
        box.fill(false);
    }

    // A question button: question n becomes current and only question n - 1 is left.
    void question(int n)
    {
        if (n == 1) {
            label2 = false;
            label1 = QStringLiteral("И Д Ё Т   О П Р О С ...");
            edit1 = true;
            box.fill(true);
        } else {
            banner = banner && n != 7;
            look[n - 2] = Look::Left;
            current[n - 2] = false;
            box[5] = false;
            box[4] = box[4] && n != 7;
        }
        look[n - 1] = Look::Current;
        current[n - 1] = true;
        questionText = utf8(QuestionCatalogue::text(n));
        const int answers = n == 1 ? 6 : n == 7 ? 4 : 5;
        for (int pos = 1; pos <= answers; ++pos) {
            boxText[pos - 1] = utf8(QuestionCatalogue::answerText(n, pos));
        }
        // Clearing a ticked box is a change like any other and records its answer.
        for (int pos = 1; pos <= 5; ++pos) {
            if (ticked[pos - 1]) {
                toggle(pos);
            }
        }
    }

    // Every change of a box's tick, in either direction, records its answer for every
    // current question that has one there.
    void toggle(int pos)
    {
        ticked[pos - 1] = !ticked[pos - 1];
        for (int q = 1; q <= 7; ++q) {
            if (current[q - 1] && pos <= QuestionCatalogue::answerCount(q)) {
                weight[q - 1] = QuestionCatalogue::weight(q, pos);
            }
        }
        if (pos <= 4 && current[6]) {
            resultsAvailable = true;
        }
        resultsButton = resultsButton || resultsAvailable;
    }

    // P in percent, rounded half to even; P keeps the rounded value as a fraction.
    int storePercent()
    {
        const double percent = Arithmetic(p).times(100).stored();
        p = Arithmetic(percent).dividedBy(100).stored();
        return survey::roundHalfEven(percent);
    }

    // The lowest-numbered current question decides: the mean of w1, w3..wk times w2.
    int currentProbability()
    {
        for (int k = 1; k <= 7; ++k) {
            if (!current[k - 1]) {
                continue;
            }
            if (k == 1) {
                p = weight[0];
            } else {
                Arithmetic sum(weight[0]);
                for (int q = 3; q <= k; ++q) {
                    sum.plus(weight[q - 1]);
                }
                p = sum.dividedBy(k - 1).times(weight[1]).stored();
            }
            break;
        }
        return storePercent();
    }

    struct Results {
        std::array<int, 7> percent;
        int type1;
        int type2;
    };

    Results computeResults()
    {
        Results results{};
        for (int k = 0; k < 7; ++k) {
            const double percent = Arithmetic(weight[k]).times(100).stored();
            results.percent[k] = survey::truncateTowardZero(percent);
            weight[k] = Arithmetic(percent).dividedBy(100).stored();
        }
        // w1 and w3..w7, in that order; question 2 multiplies in type 1 and comes last in type 2.
        const auto addW3ToW7 = [this](Arithmetic& sum) -> Arithmetic& {
            for (int k = 2; k < 7; ++k) {
                sum.plus(weight[k]);
            }
            return sum;
        };
        Arithmetic type1(weight[0]);
        p = addW3ToW7(type1).dividedBy(6).times(weight[1]).stored();
        results.type1 = storePercent();
        Arithmetic type2(weight[0]);
        p = addW3ToW7(type2).plus(weight[1]).dividedBy(7).stored();
        results.type2 = storePercent();
        return results;
    }

    int mutual(int partner) const
    {
        double x = Arithmetic(std::int32_t{partner}).dividedBy(100).stored();
        x = Arithmetic(x).times(p).stored();
        x = Arithmetic(x).times(100).stored();
        return survey::truncateTowardZero(x);
    }
};

// What the other windows hold between showings.
struct OtherWindows {
    QString resultsEdit[5]; // [1]..[4]: Edit1..Edit4 of the results window
    std::array<QString, 7> grid;
    int tab = 0;
    int progress = 0;
    QString infoEdit;
};

// A partner value as typed, and the number it stands for when it is one.
struct PartnerText {
    QString text;
    std::optional<int> value;
};

// A modal window the reference expects open: a window by its name, or a message box.
struct ExpectedModal {
    QString window; // empty for a message box
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    // What the program does once this window is closed.
    std::function<void()> afterClose;
};

ExpectedModal modalWindow(const QString& name, std::function<void()> afterClose = {})
{
    ExpectedModal modal;
    modal.window = name;
    modal.afterClose = std::move(afterClose);
    return modal;
}

ExpectedModal messageBox(const QString& text, QMessageBox::Icon icon = QMessageBox::NoIcon,
                         std::function<void()> afterClose = {})
{
    ExpectedModal modal;
    modal.text = text;
    modal.icon = icon;
    modal.afterClose = std::move(afterClose);
    return modal;
}

const QString howToText = QStringLiteral(
    "Программа предназначена для оценки вероятности развития близких отношений с человеком "
    "противоположного пола, если Вы с ним (с ней) недавно познакомились. Для начала процедуры "
    "нажмите \"УПРАВЛЕНИЕ\" > \"ЗАПУСК ОПРОСНИКА\". Отвечайте на все вопросы ! ");
const QString scaleText = QStringLiteral(
    "Вероятность, которая колеблется от 0% до 35% свидетельствует о низкой возможности "
    "возникновения близких отношений; от 35 до 70 - о средней; выше 70 - о высокой. Однако "
    "помните, что это всего лишь вероятность.");
const QString markerTexts[5] = {QStringLiteral("БЕЗРАЗЛИЧИЕ"),
                                QStringLiteral("ПРИЯЗНЕННОЕ ОТНОШЕНИЕ"), QStringLiteral("СИМПАТИЯ"),
                                QStringLiteral("ЛЁГКОЕ РОМАНТИЧЕСКОЕ ВЛЕЧЕНИЕ"),
                                QStringLiteral("ВЛЮБЛЁННОСТЬ")};

QString conversionMessage(const QString& text)
{
    // The handler adds the full stop because the message ends in a letter.
    // The typed text sits between Unicode isolation marks.
    return QLatin1Char('\'') + QChar(0x2068) + text + QChar(0x2069) +
           QStringLiteral("' is not a valid integer value.");
}

// ---------------------------------------------------------------------------------------
// The user.

// LeakSanitizer cannot see a leaked widget, because the application keeps a list of every
// widget alive; so once the window set is gone, that list must be empty.
QStringList leftoverWidgets()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList names;
    for (const QWidget* widget : QApplication::allWidgets()) {
        names << QStringLiteral("%1 \"%2\"")
                     .arg(QLatin1String(widget->metaObject()->className()), widget->objectName());
    }
    return names;
}

struct Action {
    QString name;
    double weight;
    std::function<void()> perform;
};

class RandomUser {
public:
    RandomUser(quint64 seed, int wanted) : m_random(seed), m_wanted(wanted) {}

    // Runs the whole session; returns when every action is done (or the first check
    // failed) and no modal window is left open.
    void run();

    const QString& failure() const { return m_failure; }
    const QStringList& actions() const { return m_log; }
    double seconds() const;
    QString figures() const;
    QString kinds() const;

private:
    void step();
    void startProgram();
    void endProgram();
    void check();
    void checkMainWindow();
    void checkModals();
    void checkOtherWindows();
    void fail(const QString& what);
    void unwind();

    QList<Action> choices();
    void mainWindowChoices(QList<Action>& list);
    void modalChoices(QWidget* modal, QList<Action>& list);
    void messageBoxChoices(QMessageBox* box, QList<Action>& list);
    void resultsChoices(QWidget* window, QList<Action>& list);
    void specHelpChoices(QWidget* window, QList<Action>& list);
    void closingChoices(QWidget* window, const QString& button, bool escapeCloses,
                        QList<Action>& list);

    void open(const ExpectedModal& modal) { m_modals.append(modal); }
    void closeTop();
    void expectUrl(const QString& address) { m_urls.append(LinkOpener::toUrl(address)); }
    PartnerText partnerText();
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_random); }

    template <typename T = QWidget> T* mainControl(const QString& name) const;
    template <typename T = QWidget> static T* control(const QWidget* window, const QString& name);
    QWidget* window(const QString& name) const;

    QObject m_context; // ends the pending step and the connections with the user
    std::mt19937_64 m_random;
    int m_wanted;
    int m_done = 0;
    int m_blocked = 0; // actions waiting in a modal window's loop
    bool m_checked = true;
    bool m_finished = false;
    QString m_failure;
    QStringList m_log;
    QEventLoop m_loop;
    QElapsedTimer m_clock;

    std::unique_ptr<WindowOwner> m_owner;
    bool m_programEnded = false;
    bool m_closedSignal = false;
    Questionnaire m_survey;
    OtherWindows m_other;
    QList<ExpectedModal> m_modals;
    UrlRecorder m_recorder;
    QList<QUrl> m_urls;
    PartnerText m_partner{QStringLiteral("0"), 0};

    // Figures of the run.
    QMap<QString, int> m_kinds;
    int m_starts = 0;
    int m_windowsOpened = 0;
    int m_boxesShown = 0;
    int m_errorsShown = 0;
    int m_mutualComputed = 0;
};

template <typename T> T* RandomUser::control(const QWidget* window, const QString& name)
{
    T* found = window->findChild<T*>(name);
    if (!found) {
        qFatal("%s has no %s named %s", qPrintable(window->objectName()),
               T::staticMetaObject.className(), qPrintable(name));
    }
    return found;
}

// The questionnaire's controls sit on its central widget; the other windows are its
// children too and have controls of the same names.
template <typename T> T* RandomUser::mainControl(const QString& name) const
{
    return control<T>(control<QWidget>(m_owner->windows().tandemo, QStringLiteral("Client")), name);
}

QWidget* RandomUser::window(const QString& name) const
{
    QWidget* main = m_owner->windows().tandemo;
    return name == main->objectName() ? main : control<QWidget>(main, name);
}

void RandomUser::run()
{
    m_clock.start();
    startProgram();
    QTimer::singleShot(0, &m_context, [this] { step(); });
    m_loop.exec();
    m_owner.reset();
}

void RandomUser::startProgram()
{
    m_owner = std::make_unique<WindowOwner>();
    m_owner->createSplash();
    m_owner->createWindows();
    TTandemo* main = m_owner->windows().tandemo;
    QObject::connect(main, &TTandemo::closed, &m_context, [this] { m_closedSignal = true; });
    main->show();

    m_survey = Questionnaire();
    m_other = OtherWindows();
    m_other.resultsEdit[1] = QStringLiteral("Edit1");
    m_other.resultsEdit[2] = QStringLiteral("Edit2");
    m_other.resultsEdit[3] = QString();
    m_other.resultsEdit[4] = QStringLiteral("0");
    m_partner = {QStringLiteral("0"), 0};
    m_other.infoEdit =
        control<QLineEdit>(window(QStringLiteral("TInfo")), QStringLiteral("Edit1"))->text();
    m_programEnded = false;
    m_closedSignal = false;
    ++m_starts;
}

void RandomUser::endProgram()
{
    m_programEnded = true;
}

void RandomUser::step()
{
    if (m_finished) {
        return;
    }
    // Scheduled first, so that when this action opens a modal window the next step runs
    // inside its loop.
    QTimer::singleShot(0, &m_context, [this] { step(); });

    qsizetype open = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        open += widget->isVisible() && widget->isModal();
    }
    if (open < m_blocked) {
        return; // a window was closed and its exec() has not returned yet
    }
    if (!m_failure.isEmpty()) {
        unwind();
        return;
    }
    if (!m_checked) {
        m_checked = true;
        if (open > m_blocked) {
            fail(QStringLiteral("a modal window opened that no action is waiting for"));
        } else {
            check();
        }
        if (!m_failure.isEmpty()) {
            return;
        }
    }
    if (m_done >= m_wanted && m_modals.isEmpty()) {
        m_finished = true;
        m_loop.quit();
        return;
    }

    QList<Action> list = choices();
    if (m_done >= m_wanted) {
        // Time to stop: only the ways out of the open windows.
        QList<Action> closing;
        for (const Action& action : list) {
            if (action.name.startsWith(QLatin1String("close"))) {
                closing << action;
            }
        }
        list = closing;
    }
    if (list.isEmpty()) {
        fail(QStringLiteral("nothing a person could do"));
        return;
    }
    double total = 0;
    for (const Action& action : list) {
        total += action.weight;
    }
    double at = std::uniform_real_distribution<double>(0, total)(m_random);
    const Action* chosen = &list.back();
    for (const Action& action : list) {
        if (at < action.weight) {
            chosen = &action;
            break;
        }
        at -= action.weight;
    }

    m_log << chosen->name;
    ++m_kinds[chosen->name];
    ++m_done;
    m_checked = false;
    ++m_blocked;
    chosen->perform();
    --m_blocked;
}

// After a failure: close whatever is open, then stop.
void RandomUser::unwind()
{
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close();
        return;
    }
    if (m_blocked == 0) {
        m_finished = true;
        m_loop.quit();
    }
}

void RandomUser::fail(const QString& what)
{
    if (m_failure.isEmpty()) {
        m_failure = QStringLiteral("after action %1 (%2): %3")
                        .arg(m_done)
                        .arg(m_log.isEmpty() ? QStringLiteral("none") : m_log.last(), what);
    }
}

void RandomUser::closeTop()
{
    const ExpectedModal modal = m_modals.takeLast();
    if (modal.afterClose) {
        modal.afterClose();
    }
}

// ---------------------------------------------------------------------------------------
// Choices.

QList<Action> RandomUser::choices()
{
    QList<Action> list;
    if (m_programEnded) {
        list.append({QStringLiteral("start the program again"), 1, [this] {
                         m_owner.reset();
                         if (const QStringList left = leftoverWidgets(); !left.isEmpty()) {
                             fail(QStringLiteral("widgets outlived the program: ") +
                                  left.join(QStringLiteral(", ")));
                         }
                         startProgram();
                     }});
        return list;
    }
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modalChoices(modal, list);
    } else {
        mainWindowChoices(list);
    }
    return list;
}

void RandomUser::mainWindowChoices(QList<Action>& list)
{
    const auto menu = [&](const char* name, double weight, std::function<void()> before) {
        QAction* action = control<QAction>(m_owner->windows().tandemo, QLatin1String(name));
        if (action->isVisible() && action->isEnabled()) {
            list.append({QLatin1String(name), weight, [action, before] {
                             before();
                             action->trigger();
                         }});
        }
    };
    menu("N2", m_survey.questionButtons ? 0.3 : 3, [this] { m_survey.start(); });
    menu("N4", 0.4, [this] { m_survey.abort(); });
    menu("N7", 0.3, [this] { open(messageBox(howToText)); });
    menu("N10", 0.2, [this] {
        open(messageBox(
            QStringLiteral("ЕСЛИ СЕЙЧАС ВЫ ВОЙДЁТЕ В ИНТЕРНЕТ, ТО СМОЖЕТЕ ПРОЧИТАТЬ ПОЛНУЮ "
                           "ИНФОРМАЦИЮ О НОВОМ ДЕТЕКТОРЕ ЛЖИ, А ТАКЖЕ ПРИОБРЕСТИ ЕГО В "
                           "МАГАЗИНЕ ") +
                Links::shopDomainCapitals(),
            QMessageBox::NoIcon, [this] { expectUrl(Links::shopPricePage()); }));
    });
    menu("N6", 0.3, [this] { open(modalWindow(QStringLiteral("TAttract"))); });
    menu("Tandemo1", 0.3, [this] { open(modalWindow(QStringLiteral("TAboutBox"))); });
    menu("N9", 0.8, [this] {
        m_other.infoEdit = percentText(m_survey.currentProbability());
        open(modalWindow(QStringLiteral("TInfo")));
    });
    menu("N11", 0.01, [this] { endProgram(); });

    for (int n = 1; n <= 7; ++n) {
        auto* button = mainControl<QAbstractButton>(QStringLiteral("BitBtn%1").arg(n));
        if (button->isVisible() && button->isEnabled()) {
            list.append({QStringLiteral("question %1").arg(n), 2.5, [this, n, button] {
                             m_survey.question(n);
                             QTest::mouseClick(button, Qt::LeftButton);
                         }});
        }
    }
    for (int pos = 1; pos <= 6; ++pos) {
        auto* box = mainControl<QCheckBox>(QStringLiteral("CheckBox%1").arg(pos));
        if (box->isVisible() && box->isEnabled()) {
            list.append({QStringLiteral("tick box %1").arg(pos), 3, [this, pos, box] {
                             m_survey.toggle(pos);
                             // On the box itself: the strip is wider than most captions.
                             QTest::mouseClick(box, Qt::LeftButton, {},
                                               QPoint(7, box->height() / 2));
                         }});
        }
    }
    auto* results = mainControl<QAbstractButton>(QStringLiteral("BitBtn8"));
    if (results->isVisible() && results->isEnabled()) {
        list.append({QStringLiteral("РЕЗУЛЬТАТЫ !"), 1.5, [this, results] {
                         const Questionnaire::Results figures = m_survey.computeResults();
                         for (int k = 0; k < 7; ++k) {
                             m_other.grid[k] = percentText(figures.percent[k]);
                         }
                         m_other.progress = figures.type1;
                         m_other.resultsEdit[1] = percentText(figures.type1);
                         m_other.resultsEdit[2] = percentText(figures.type2);
                         // Closing it, the questionnaire writes the type 2 text again.
                         open(modalWindow(QStringLiteral("TResults"),
                                          [this, type2 = percentText(figures.type2)] {
                                              m_other.resultsEdit[2] = type2;
                                          }));
                         QTest::mouseClick(results, Qt::LeftButton);
                     }});
    }
    auto* banner = mainControl<QAbstractButton>(QStringLiteral("BitBtn10"));
    if (banner->isVisible() && banner->isEnabled()) {
        list.append({QStringLiteral("banner"), 0.2, [this, banner] {
                         expectUrl(Links::developerSite());
                         QTest::mouseClick(banner, Qt::LeftButton);
                     }});
    }
    list.append({QStringLiteral("close box of the questionnaire"), 0.01, [this] {
                     endProgram();
                     m_owner->windows().tandemo->close();
                 }});
}

void RandomUser::modalChoices(QWidget* modal, QList<Action>& list)
{
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        messageBoxChoices(box, list);
        return;
    }
    const QString name = modal->objectName();
    if (name == QLatin1String("TResults")) {
        resultsChoices(modal, list);
    } else if (name == QLatin1String("TSpecHelp")) {
        specHelpChoices(modal, list);
    } else if (name == QLatin1String("TInfo")) {
        closingChoices(modal, QStringLiteral("BitBtn1"), false, list);
        auto* edit = control<QLineEdit>(modal, QStringLiteral("Edit1"));
        list.append({QStringLiteral("type into the current probability"), 0.5, [this, edit] {
                         const QString typed = QString::number(pick(100));
                         m_log.last() += QStringLiteral(" '%1'").arg(typed);
                         edit->end(false);
                         m_other.infoEdit += typed;
                         QTest::keyClicks(edit, typed);
                     }});
    } else if (name == QLatin1String("TAttract")) {
        closingChoices(modal, QStringLiteral("BitBtn1"), true, list);
    } else if (name == QLatin1String("TAboutBox")) {
        closingChoices(modal, QStringLiteral("OKButton"), false, list);
    } else {
        fail(QStringLiteral("an unknown modal window ") + name);
    }
}

// The ways out of a window: its button, its close box and the keys. Keys go where the focus
// is: Enter on the focused button clicks it, and in an edit box it reaches no button in any
// of these windows (the about box, whose default button takes it, has no edit box); Escape
// reaches the window from every control, and only a window with a cancel button closes.
void RandomUser::closingChoices(QWidget* window, const QString& button, bool escapeCloses,
                                QList<Action>& list)
{
    auto* pushButton = control<QAbstractButton>(window, button);
    if (pushButton->isVisible() && pushButton->isEnabled()) {
        list.append({QStringLiteral("close with ") + button, 2, [this, pushButton] {
                         closeTop();
                         QTest::mouseClick(pushButton, Qt::LeftButton);
                     }});
    }
    list.append({QStringLiteral("close box"), 1, [this, window] {
                     closeTop();
                     window->close();
                 }});

    QWidget* focus = window->focusWidget();
    if (!focus || !focus->isVisible()) {
        return;
    }
    const QString where = QStringLiteral(" on ") + focus->objectName();
    if (focus == pushButton) {
        list.append({QStringLiteral("close with Enter") + where, 1, [this, focus] {
                         closeTop();
                         QTest::keyClick(focus, Qt::Key_Return);
                     }});
    } else if (qobject_cast<QLineEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus)) {
        list.append({QStringLiteral("press Enter") + where, 0.3, [focus] {
                         QTest::keyClick(focus, Qt::Key_Return);
                     }});
    }
    list.append(
        {(escapeCloses ? QStringLiteral("close with Escape") : QStringLiteral("press Escape")) +
             where,
         escapeCloses ? 1 : 0.3, [this, focus, escapeCloses] {
             if (escapeCloses) {
                 closeTop();
             }
             QTest::keyClick(focus, Qt::Key_Escape);
         }});
}

void RandomUser::messageBoxChoices(QMessageBox* box, QList<Action>& list)
{
    list.append({QStringLiteral("close with OK"), 2, [this, box] {
                     closeTop();
                     QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
                 }});
    list.append({QStringLiteral("close with Enter"), 1, [this, box] {
                     closeTop();
                     QTest::keyClick(box, Qt::Key_Return);
                 }});
    list.append({QStringLiteral("close with Escape"), 1, [this, box] {
                     closeTop();
                     QTest::keyClick(box, Qt::Key_Escape);
                 }});
    list.append({QStringLiteral("close box"), 1, [this, box] {
                     closeTop();
                     box->close();
                 }});
}

// Typed texts: numbers in the forms the conversion takes, and texts it refuses.
PartnerText RandomUser::partnerText()
{
    const QString spaces(pick(3) == 0 ? pick(4) : 0, QLatin1Char(' '));
    switch (pick(8)) {
    case 0:
    case 1: {
        const int value = pick(101);
        return {spaces + QString::number(value), value};
    }
    case 2: {
        const int value = pick(401) - 200;
        const QString sign = value >= 0 && chance(0.5) ? QStringLiteral("+") : QString();
        return {spaces + sign + QString::number(value), value};
    }
    case 3: {
        const auto value = static_cast<int>(static_cast<quint32>(m_random()));
        return {spaces + QString::number(value), value};
    }
    case 4: {
        static const char* const prefixes[] = {"$", "x", "X", "0x", "0X"};
        const auto bits = static_cast<quint32>(m_random() >> pick(32));
        return {spaces + QLatin1String(prefixes[pick(5)]) + QString::number(bits, 16),
                static_cast<int>(bits)};
    }
    default: {
        static const char16_t* const refused[] = {
            u"",    u"abc", u"пятьдесят", u"5 ",  u"1.5",        u"2147483648", u"-2147483649",
            u"--5", u"+-5", u"$",         u"0x",  u"$100000000", u"- 5",        u"1e3",
            u"50%", u"   ", u"5 0",       u"x-1", u"٥",          u"５０",       u"+",
            u"-",   u"$-1", u"0x1G",
        };
        return {QString::fromUtf16(refused[pick(static_cast<int>(std::size(refused)))]), {}};
    }
    }
}

// Replaces an edit box's text the way a person does: select all, then type.
void typeOver(QLineEdit* edit, const QString& text)
{
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) {
        QTest::keyClick(edit, Qt::Key_Delete);
    }
    for (QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void RandomUser::resultsChoices(QWidget* window, QList<Action>& list)
{
    closingChoices(window, QStringLiteral("BitBtn2"), false, list);

    auto* pages = control<QTabWidget>(window, QStringLiteral("PageControl1"));
    for (int tab = 0; tab < pages->count(); ++tab) {
        if (tab != pages->currentIndex()) {
            list.append({QStringLiteral("tab %1").arg(tab + 1), 1.5, [this, pages, tab] {
                             m_other.tab = tab;
                             QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {},
                                               pages->tabBar()->tabRect(tab).center());
                         }});
        }
    }
    const auto button = [&](const char* name, double weight, std::function<void()> before) {
        auto* target = control<QAbstractButton>(window, QLatin1String(name));
        if (target->isVisible() && target->isEnabled()) {
            list.append({QLatin1String(name), weight, [target, before] {
                             before();
                             QTest::mouseClick(target, Qt::LeftButton);
                         }});
        }
    };
    button("Button1", 0.3, [this] { open(messageBox(scaleText)); });
    button("BitBtn9", 0.2, [this] { expectUrl(Links::shopStartPage()); });
    button("BitBtn4", 0.2, [this] { expectUrl(Links::consultationPage()); });
    button("BitBtn5", 0.2, [this] { expectUrl(Links::developerMail()); });
    button("BitBtn11", 0.2, [this] { expectUrl(Links::shopPartnerPage()); });
    button("BitBtn3", 1, [this] { open(modalWindow(QStringLiteral("TSpecHelp"))); });
    button("BitBtn1", 3, [this] {
        m_log.last() += QStringLiteral(" with '%1'").arg(m_partner.text);
        if (m_partner.value) {
            m_other.resultsEdit[3] = percentText(m_survey.mutual(*m_partner.value));
            ++m_mutualComputed;
        } else {
            open(messageBox(conversionMessage(m_partner.text), QMessageBox::Critical));
        }
    });

    auto* partner = control<QLineEdit>(window, QStringLiteral("Edit4"));
    if (partner->isVisible()) {
        list.append({QStringLiteral("type partner value"), 3, [this, partner] {
                         m_partner = partnerText();
                         m_log.last() += QStringLiteral(" '%1'").arg(m_partner.text);
                         m_other.resultsEdit[4] = m_partner.text;
                         typeOver(partner, m_partner.text);
                     }});
        list.append({QStringLiteral("press Enter in the partner value"), 0.3, [partner] {
                         QTest::keyClick(partner, Qt::Key_Return);
                     }});
        for (int k : {1, 2, 3}) {
            auto* edit = control<QLineEdit>(window, QStringLiteral("Edit%1").arg(k));
            list.append({QStringLiteral("type into Edit%1").arg(k), 0.3, [this, edit, k] {
                             const QString typed = QString::number(pick(1000));
                             m_log.last() += QStringLiteral(" '%1'").arg(typed);
                             m_other.resultsEdit[k] = typed;
                             typeOver(edit, typed);
                         }});
        }
    }
}

void RandomUser::specHelpChoices(QWidget* window, QList<Action>& list)
{
    closingChoices(window, QStringLiteral("BitBtn1"), false, list);
    // Enter on a marker with the focus is a click on it.
    for (int n = 1; n <= 5; ++n) {
        auto* marker = control<QAbstractButton>(window, QStringLiteral("Button%1").arg(n));
        if (window->focusWidget() == marker) {
            list.append({QStringLiteral("press Enter on marker %1").arg(n), 0.3, [this, marker, n] {
                             open(messageBox(markerTexts[n - 1]));
                             QTest::keyClick(marker, Qt::Key_Return);
                         }});
        }
    }
    for (int n = 1; n <= 5; ++n) {
        auto* marker = control<QAbstractButton>(window, QStringLiteral("Button%1").arg(n));
        list.append({QStringLiteral("marker %1").arg(n), 0.4, [this, marker, n] {
                         open(messageBox(markerTexts[n - 1]));
                         QTest::mouseClick(marker, Qt::LeftButton);
                     }});
    }
    // Every change of the disclaimer is answered, once; the change stays.
    auto* disclaimer = control<QTextEdit>(window, QStringLiteral("RichEdit1"));
    list.append({QStringLiteral("type a letter into the disclaimer"), 0.6, [this, disclaimer] {
                     open(messageBox(QStringLiteral("НЕ ТРОГАЙТЕ!")));
                     const QString letter(QChar(u'а' + pick(32)));
                     QTest::sendKeyEvent(QTest::Click, disclaimer, Qt::Key_unknown, letter,
                                         Qt::NoModifier);
                 }});
    list.append({QStringLiteral("press Enter in the disclaimer"), 0.2, [this, disclaimer] {
                     open(messageBox(QStringLiteral("НЕ ТРОГАЙТЕ!")));
                     QTest::keyClick(disclaimer, Qt::Key_Return);
                 }});
}

// ---------------------------------------------------------------------------------------
// Checks.

void RandomUser::check()
{
    if (m_urls != m_recorder.urls) {
        fail(QStringLiteral("addresses opened: %1, expected %2")
                 .arg(QDebug::toString(m_recorder.urls), QDebug::toString(m_urls)));
        return;
    }
    if (m_programEnded) {
        TTandemo* main = m_owner->windows().tandemo;
        if (main->isVisible() || !m_closedSignal) {
            fail(QStringLiteral("closing the questionnaire did not end the program"));
        }
        return;
    }
    checkModals();
    if (m_failure.isEmpty()) {
        checkMainWindow();
    }
    if (m_failure.isEmpty()) {
        checkOtherWindows();
    }
}

void RandomUser::checkModals()
{
    QList<QWidget*> open;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->isModal()) {
            open << widget;
        }
    }
    if (open.size() != m_modals.size()) {
        QStringList names;
        for (QWidget* widget : open) {
            const auto* box = qobject_cast<QMessageBox*>(widget);
            names << (box ? QStringLiteral("box \"%1\"").arg(box->text()) : widget->objectName());
        }
        fail(QStringLiteral("%1 modal windows open (%2), expected %3")
                 .arg(open.size())
                 .arg(names.join(QStringLiteral(", ")))
                 .arg(m_modals.size()));
        return;
    }
    if (m_modals.isEmpty()) {
        return;
    }
    const ExpectedModal& expected = m_modals.last();
    QWidget* top = QApplication::activeModalWidget();
    if (expected.window.isEmpty()) {
        auto* box = qobject_cast<QMessageBox*>(top);
        if (!box) {
            fail(QStringLiteral("expected a message box, found ") +
                 (top ? top->objectName() : QStringLiteral("nothing")));
        } else if (box->text() != expected.text || box->icon() != expected.icon) {
            fail(QStringLiteral("message box \"%1\" (icon %2), expected \"%3\" (icon %4)")
                     .arg(box->text())
                     .arg(int(box->icon()))
                     .arg(expected.text)
                     .arg(int(expected.icon)));
        } else if (box->buttons().size() != 1 || !box->button(QMessageBox::Ok)) {
            fail(QStringLiteral("a message box without its single OK"));
        } else if (!box->property("tandemo_seen").toBool()) {
            box->setProperty("tandemo_seen", true);
            ++m_boxesShown;
            m_errorsShown += box->icon() == QMessageBox::Critical;
        }
        return;
    }
    if (!top || top->objectName() != expected.window) {
        fail(QStringLiteral("expected %1 on top, found %2")
                 .arg(expected.window, top ? top->objectName() : QStringLiteral("nothing")));
    } else if (!top->property("tandemo_seen").toBool()) {
        // Counts each showing once; the mark goes when the window is hidden again.
        top->setProperty("tandemo_seen", true);
        ++m_windowsOpened;
    }
}

void RandomUser::checkMainWindow()
{
    const Questionnaire& s = m_survey;
    const auto visible = [this](const QString& name, bool expected) {
        if (m_failure.isEmpty() && mainControl(name)->isVisible() != expected) {
            fail(QStringLiteral("%1 is %2")
                     .arg(name, expected ? QStringLiteral("hidden") : QStringLiteral("visible")));
        }
    };
    visible(QStringLiteral("Label1"), s.labels);
    visible(QStringLiteral("Label3"), s.labels);
    visible(QStringLiteral("Label2"), s.label2);
    visible(QStringLiteral("Edit1"), s.edit1);
    visible(QStringLiteral("BitBtn8"), s.resultsButton);
    visible(QStringLiteral("BitBtn10"), s.banner);
    for (int n = 1; n <= 7; ++n) {
        visible(QStringLiteral("BitBtn%1").arg(n), s.questionButtons);
    }
    for (int pos = 1; pos <= 6; ++pos) {
        visible(QStringLiteral("CheckBox%1").arg(pos), s.box[pos - 1]);
    }
    if (!m_failure.isEmpty()) {
        return;
    }

    for (int n = 1; n <= 7; ++n) {
        auto* button = mainControl<QAbstractButton>(QStringLiteral("BitBtn%1").arg(n));
        const Look look = s.look[n - 1];
        const int pixels = look == Look::Current ? 19 : 11;
        const QColor colour = look == Look::Current ? WindowLook::red
                              : look == Look::Left  ? WindowLook::blue
                                                    : WindowLook::windowText();
        if (button->font().pixelSize() != pixels ||
            button->palette().color(QPalette::ButtonText) != colour) {
            fail(QStringLiteral("question button %1 shows %2 px in %3")
                     .arg(n)
                     .arg(button->font().pixelSize())
                     .arg(button->palette().color(QPalette::ButtonText).name()));
            return;
        }
    }
    for (int pos = 1; pos <= 6; ++pos) {
        auto* box = mainControl<QCheckBox>(QStringLiteral("CheckBox%1").arg(pos));
        if (box->isChecked() != s.ticked[pos - 1] || box->text() != s.boxText[pos - 1]) {
            fail(QStringLiteral("answer box %1 is \"%2\" %3")
                     .arg(pos)
                     .arg(box->text(), box->isChecked() ? QStringLiteral("ticked")
                                                        : QStringLiteral("unticked")));
            return;
        }
    }
    if (mainControl<QLineEdit>(QStringLiteral("Edit1"))->text() != s.questionText ||
        mainControl<QLabel>(QStringLiteral("Label1"))->text() != s.label1) {
        fail(QStringLiteral("question text or heading differs"));
        return;
    }

    const SurveyModel& model = *m_owner->windows().model;
    for (int q = 1; q <= 7; ++q) {
        if (model.weight(q) != s.weight[q - 1] || model.isCurrent(q) != s.current[q - 1]) {
            fail(QStringLiteral("question %1: weight %2 %3, expected %4 %5")
                     .arg(q)
                     .arg(model.weight(q))
                     .arg(model.isCurrent(q) ? QStringLiteral("current") : QString())
                     .arg(s.weight[q - 1])
                     .arg(s.current[q - 1] ? QStringLiteral("current") : QString()));
            return;
        }
    }
    if (model.resultsAvailable() != s.resultsAvailable || model.probability() != s.p) {
        fail(QStringLiteral("results flag %1 and P %2, expected %3 and %4")
                 .arg(model.resultsAvailable())
                 .arg(model.probability(), 0, 'g', 17)
                 .arg(s.resultsAvailable)
                 .arg(s.p, 0, 'g', 17));
    }
}

void RandomUser::checkOtherWindows()
{
    QWidget* results = window(QStringLiteral("TResults"));
    for (int k = 1; k <= 4; ++k) {
        const QString text = control<QLineEdit>(results, QStringLiteral("Edit%1").arg(k))->text();
        if (text != m_other.resultsEdit[k]) {
            fail(QStringLiteral("results Edit%1 holds \"%2\", expected \"%3\"")
                     .arg(k)
                     .arg(text, m_other.resultsEdit[k]));
            return;
        }
    }
    auto* grid = control<QTableWidget>(results, QStringLiteral("StringGrid1"));
    for (int k = 1; k <= 7; ++k) {
        const QTableWidgetItem* cell = grid->item(k, 1);
        if (!cell || cell->text() != m_other.grid[k - 1]) {
            fail(QStringLiteral("grid row %1 differs").arg(k));
            return;
        }
    }
    if (control<QTabWidget>(results, QStringLiteral("PageControl1"))->currentIndex() !=
        m_other.tab) {
        fail(QStringLiteral("the results window shows another tab"));
        return;
    }
    const int progress =
        control<QProgressBar>(window(QStringLiteral("TSpecHelp")), QStringLiteral("ProgressBar1"))
            ->value();
    if (progress != m_other.progress) {
        fail(QStringLiteral("the indicator shows %1, expected %2")
                 .arg(progress)
                 .arg(m_other.progress));
        return;
    }
    const QString info =
        control<QLineEdit>(window(QStringLiteral("TInfo")), QStringLiteral("Edit1"))->text();
    if (info != m_other.infoEdit) {
        fail(QStringLiteral("the current probability shows \"%1\", expected \"%2\"")
                 .arg(info, m_other.infoEdit));
        return;
    }
    // A window not open has its showing mark taken away, so that the next showing counts.
    for (const char* name : {"TResults", "TSpecHelp", "TInfo", "TAttract", "TAboutBox"}) {
        QWidget* w = window(QLatin1String(name));
        if (!w->isVisible()) {
            w->setProperty("tandemo_seen", false);
        }
    }
}

double RandomUser::seconds() const
{
    return double(m_clock.elapsed()) / 1000;
}

QString RandomUser::figures() const
{
    return QStringLiteral("%1 actions in %2 s: %3 program starts, %4 windows opened, %5 message "
                          "boxes (%6 conversion errors), %7 mutual probabilities")
        .arg(m_done)
        .arg(seconds(), 0, 'f', 1)
        .arg(m_starts)
        .arg(m_windowsOpened)
        .arg(m_boxesShown)
        .arg(m_errorsShown)
        .arg(m_mutualComputed);
}

// How often each kind of action was done, most frequent first.
QString RandomUser::kinds() const
{
    QList<std::pair<int, QString>> counts;
    for (auto it = m_kinds.cbegin(); it != m_kinds.cend(); ++it) {
        counts.append({-it.value(), it.key()});
    }
    std::sort(counts.begin(), counts.end());
    QStringList lines;
    for (const auto& [count, name] : counts) {
        lines << QStringLiteral("%1 %2").arg(-count, 6).arg(name);
    }
    return QStringLiteral("%1 kinds of action:\n").arg(counts.size()) + lines.join(u'\n');
}

quint64 seedFromEnvironment()
{
    bool ok = false;
    const quint64 seed = qEnvironmentVariable("TANDEMO_RANDOM_SEED").toULongLong(&ok);
    return ok ? seed : static_cast<quint64>(QDateTime::currentMSecsSinceEpoch());
}

constexpr double budgetSeconds = 100;

int actionsFromEnvironment()
{
    bool ok = false;
    const int actions = qEnvironmentVariableIntValue("TANDEMO_RANDOM_ACTIONS", &ok);
    return ok && actions > 0 ? actions : 20000;
}

} // namespace

class TestRandomActions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void randomUser();
};

void TestRandomActions::initTestCase()
{
    registerFontSubstitutions();
    // As at start-up: only the questionnaire's closing ends a run, not the last window's.
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestRandomActions::randomUser()
{
    const quint64 seed = seedFromEnvironment();
    const int wanted = actionsFromEnvironment();
    RandomUser user(seed, wanted);
    user.run();

    qInfo().noquote() << QStringLiteral("seed %1: %2").arg(seed).arg(user.figures());
    // The run is a fixed number of actions, however long a busy machine takes for them; the
    // budget is only reported.
    if (user.seconds() > budgetSeconds) {
        qInfo().noquote() << QStringLiteral("over the budget of %1 s").arg(budgetSeconds);
    }
    qInfo().noquote() << user.kinds();
    if (!user.failure().isEmpty()) {
        const QString path =
            QDir(QDir::tempPath())
                .filePath(QStringLiteral("tandemo-random-actions-%1.txt").arg(seed));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
            file.write(user.actions().join(QLatin1Char('\n')).toUtf8() + '\n');
        }
        qInfo().noquote()
            << "last actions:\n  " +
                   user.actions().mid(user.actions().size() - 40).join(QStringLiteral("\n  "));
        QFAIL(qPrintable(
            QStringLiteral("seed %1 (replay with TANDEMO_RANDOM_SEED=%1, all actions in %2), %3")
                .arg(seed)
                .arg(path, user.failure())));
    }
    QVERIFY2(user.actions().size() >= wanted, "fewer actions than asked for");
    const QStringList left = leftoverWidgets();
    QVERIFY2(left.isEmpty(), qPrintable("widgets outlived the program: " + left.join(", ")));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

QTEST_MAIN(TestRandomActions)
#include "test_random_actions.moc"
