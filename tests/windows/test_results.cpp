// The results window, driven through the questionnaire as a user reaches it.

#include "window_test_support.h"

#include "application_title.h"
#include "assets.h"
#include "font_substitutions.h"
#include "image_button.h"
#include "link_opener.h"
#include "modal_watcher.h"
#include "partner_field.h"
#include "plain_text_view.h"
#include "questionnaire_driver.h"
#include "results.h"
#include "spechelp.h"
#include "tandemo.h"
#include "url_recorder.h"
#include "window_look.h"
#include "window_owner.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextLayout>

#include <memory>

class TestResults : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerFontSubstitutions(); }
    void init();
    void cleanup();

    void workedExamples_data();
    void workedExamples();
    void hostilePartnerText_data();
    void hostilePartnerText();
    void indicatorShowsTypeOne();
    void keepsTabAndEditsAndCentresEachShowing();
    void helpMessage();
    void links_data();
    void links();
    void enterAndEscapeLeaveItOpen_data();
    void enterAndEscapeLeaveItOpen();
    void gridRows_data();
    void gridRows();
    void gridIsReadOnly();
    void window();
    void layout_data();
    void layout();
    void looks_data();
    void looks();
    void picturesAndTexts();

private:
    TResults* results() const { return m_owner->windows().results; }
    QWidget* tandemo() const { return m_owner->windows().tandemo; }
    void startWith(const QuestionCatalogue::WeightTable& weights);
    void showResultsAlone();
    static void selectTab(QWidget* window, int index);
    static void typePartner(QWidget* window, const QString& text);

    std::unique_ptr<MessageBoxCloser> m_boxes;
    std::unique_ptr<WindowOwner> m_owner;
    std::unique_ptr<UrlRecorder> m_links;
};

// Answering 1111111 records these: type 1 2 %, type 2 21 %, and 10 % with a partner at 50.
static const std::array<double, 7> lowWeights{0.13, 0.09, 0.07, 0.21, 0.16, 0.31, 0.51};

void TestResults::init()
{
    m_boxes = std::make_unique<MessageBoxCloser>();
    startWith(weightsFor("1111111", lowWeights));
    m_links = std::make_unique<UrlRecorder>();
}

void TestResults::startWith(const QuestionCatalogue::WeightTable& weights)
{
    m_owner = std::make_unique<WindowOwner>(weights);
    m_owner->createWindows();
    tandemo()->show();
    QVERIFY(QTest::qWaitForWindowExposed(tandemo()));
}

void TestResults::cleanup()
{
    m_links.reset();
    closeLeftoverModals();
    m_owner.reset();
    m_boxes.reset();
}

// For what needs no results: the window on screen without the questionnaire.
void TestResults::showResultsAlone()
{
    results()->open();
    QVERIFY(QTest::qWaitForWindowExposed(results()));
}

void TestResults::selectTab(QWidget* window, int index)
{
    QTabBar* tabs = child<QTabWidget>(window, QStringLiteral("PageControl1"))->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

void TestResults::typePartner(QWidget* window, const QString& text)
{
    selectTab(window, 1);
    auto* edit = child<QLineEdit>(window, QStringLiteral("Edit4"));
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Each row's answers record the weights given, whatever the catalogue holds.
void TestResults::workedExamples_data()
{
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QList<double>>("weights");
    QTest::addColumn<QString>("partner"); // empty: leave the initial "0"
    QTest::addColumn<QStringList>("grid");
    QTest::addColumn<QString>("type1");
    QTest::addColumn<QString>("type2");
    QTest::addColumn<QString>("mutual");

    const QList<double> low(lowWeights.begin(), lowWeights.end());
    const QStringList lowGrid{"13%", "9%", "7%", "21%", "16%", "31%", "51%"};
    const auto partnerRow = [&](const char* name, const char* partner, const char* mutual) {
        QTest::newRow(name) << "1111111" << low << partner << lowGrid << "2%"
                            << "21%" << mutual;
    };
    partnerRow("type 2 21%, partner as given", "", "0%");
    partnerRow("type 2 21%, partner 50", "50", "10%");
    partnerRow("type 2 21%, partner 100", "100", "21%");
    partnerRow("type 2 21%, partner 200 beyond the scale", "200", "42%");
    partnerRow("type 2 21%, partner -50 below the scale", "-50", "-10%");
    // Type 2 shows 88 % of 87.857...; half of that unrounded figure is 43 %.
    QTest::newRow("high answers, 0.57 truncates, partner 50")
        << "1455554" << QList<double>{0.97, 0.57, 1, 0.99, 0.86, 0.91, 0.85} << "50"
        << QStringList{"97%", "56%", "100%", "99%", "86%", "91%", "85%"} << "53%"
        << "88%"
        << "43%";
    QTest::newRow("type 1 of exactly 17.5")
        << "1114141" << QList<double>{0.46, 0.30, 0.32, 0.98, 0.85, 0.28, 0.61} << "50"
        << QStringList{"46%", "30%", "32%", "98%", "85%", "28%", "61%"} << "18%"
        << "54%"
        << "27%";
    QTest::newRow("type 1 of exactly 30.5")
        << "1232414" << QList<double>{0.92, 0.61, 0.43, 0.27, 0.46, 0.53, 0.39} << "50"
        << QStringList{"92%", "61%", "43%", "27%", "46%", "53%", "39%"} << "30%"
        << "52%"
        << "25%";
}

void TestResults::workedExamples()
{
    QFETCH(QString, answers);
    QFETCH(QList<double>, weights);
    QFETCH(QString, partner);
    std::array<double, 7> recorded{};
    std::copy(weights.begin(), weights.end(), recorded.begin());
    m_owner.reset();
    startWith(weightsFor(answers.toStdString(), recorded));
    answerQuestionnaire(tandemo(), answers);

    QStringList grid;
    QString type1, type2, mutual;
    bool closedByExit = false;
    NextModal shown([&](QWidget* window) {
        auto* cells = child<QTableWidget>(window, QStringLiteral("StringGrid1"));
        for (int row = 1; row <= 7; ++row) {
            grid << cells->item(row, 1)->text();
        }
        type1 = child<QLineEdit>(window, QStringLiteral("Edit1"))->text();
        type2 = child<QLineEdit>(window, QStringLiteral("Edit2"))->text();
        if (!partner.isEmpty()) {
            typePartner(window, partner);
        }
        click(window, QStringLiteral("BitBtn1"));
        mutual = child<QLineEdit>(window, QStringLiteral("Edit3"))->text();
        selectTab(window, 2);
        click(window, QStringLiteral("BitBtn2"));
        closedByExit = !window->isVisible();
    });
    click(tandemo(), QStringLiteral("BitBtn8"));

    QVERIFY(shown.ran());
    QTEST(grid, "grid");
    QTEST(type1, "type1");
    QTEST(type2, "type2");
    QTEST(mutual, "mutual");
    QVERIFY(closedByExit);
    QVERIFY(m_boxes->seen().isEmpty());
}

// What a user sees of a message box: is all of its text plain, with nothing to follow; does
// it fit the screen with every text readable; are the program's words in view. A click along
// each visible text's first line would follow a link if one were drawn there.
struct BoxInspection {
    bool plain = true;
    bool fits = true;
    bool wordsInView = false;
    bool scrolls = false;
    bool wordsInOrder = true;
    int views = 0;
};

// Whether `words`, drawn at the end of `shown` on one line, read left to right and end it.
static bool readsInOrder(const QString& shown, const QString& words, const QFont& font)
{
    QTextLayout layout(shown, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    qreal x = line.cursorToX(shown.size() - words.size());
    for (qsizetype at = shown.size() - words.size() + 1; at <= shown.size(); ++at) {
        const qreal next = line.cursorToX(at);
        if (next <= x) {
            return false;
        }
        x = next;
    }
    return qAbs(x - line.naturalTextWidth()) < 1;
}

static BoxInspection inspectBox(QMessageBox* box, const QString& words)
{
    BoxInspection seen;
    const QRect screen = box->screen()->availableGeometry();
    seen.fits = screen.contains(box->frameGeometry()) && box->button(QMessageBox::Ok)->isVisible();
    for (QLabel* label : box->findChildren<QLabel*>()) {
        if (label->text().isEmpty()) { // the icon
            continue;
        }
        seen.plain = seen.plain && label->textFormat() == Qt::PlainText &&
                     !(label->textInteractionFlags() &
                       (Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard));
        if (!label->isVisible()) {
            continue;
        }
        const QRect room = label->contentsRect();
        const QRect needed = label->fontMetrics().boundingRect(
            room, label->wordWrap() ? Qt::TextWordWrap : 0, label->text());
        seen.fits = seen.fits && box->rect().contains(label->geometry()) &&
                    needed.width() <= room.width() && needed.height() <= room.height();
        seen.wordsInView = seen.wordsInView || label->text().endsWith(words);
        for (int x = 2; x < label->width(); x += 8) {
            QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(x, room.top() + 6));
        }
    }
    for (PlainTextView* view : box->findChildren<PlainTextView*>()) {
        ++seen.views;
        seen.fits = seen.fits && view->isVisible() && box->rect().contains(view->geometry());
        seen.scrolls = view->verticalScrollBar()->isVisible();
        if (view->accessibleName().endsWith(words)) {
            seen.wordsInView = true;
            seen.wordsInOrder = readsInOrder(view->shownPiece(view->pieceCount() - 1),
                                             QStringLiteral("' ") + words, view->font());
        }
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(10, 8));
    }
    return seen;
}

void TestResults::hostilePartnerText_data()
{
    QTest::addColumn<QString>("partner");
    QTest::addColumn<bool>("accepted"); // read as 50: mutual 10%, no box

    const auto row = [](const char* name, const QString& partner, bool accepted = false) {
        QTest::newRow(name) << partner << accepted;
    };
    row("letters", QStringLiteral("abc"));
    row("empty", QString());
    row("trailing blank", QStringLiteral("12 "));
    row("decimal fraction", QStringLiteral("1.5"));
    row("hexadecimal sign without digits", QStringLiteral("$"));
    row("nested tables", QStringLiteral("<table><tr><td>").repeated(30));
    row("link to a local file", QStringLiteral("<a href=\"file:///etc/passwd\">x</a>"));
    row("web link", QStringLiteral("<a href=\"http://tandemo.example/x\">x</a>"));
    row("picture", QStringLiteral("<img src=\"/usr/share/pixmaps/debian-logo.png\">"));
    row("bold", QStringLiteral("<b>12</b>"));
    row("huge font", QStringLiteral("<font size=7>12</font>"));
    row("heading", QStringLiteral("<h1>12</h1>"));
    row("line break", QStringLiteral("1<br>2"));
    row("escaped tag", QStringLiteral("&lt;b&gt;x"));
    row("entities", QStringLiteral("&amp;&nbsp;&#65;&#x42;"));
    row("comment", QStringLiteral("<!-- 12 -->12"));
    row("style", QStringLiteral("<style>body { font-size: 99px }</style>12"));
    row("script", QStringLiteral("<script>alert(1)</script>12"));
    row("right-to-left override first", QString(QChar(0x202E)) + QStringLiteral("abc 12"));
    row("isolate closed first", QString(QChar(0x2069)) + QChar(0x202E) + QStringLiteral("abc"));
    row("left-to-right isolate left open", QChar(0x2066) + QStringLiteral("abc"));
    row("right-to-left isolate left open", QChar(0x2067) + QStringLiteral("abc"));
    row("right-to-left embedding left open", QChar(0x202B) + QStringLiteral("abc"));
    row("byte-order mark first", QChar(0xFEFF) + QStringLiteral("12"));
    row("40 characters without spaces", QString(40, QLatin1Char('x')));
    row("NUL inside", QStringLiteral("12") + QChar(0) + QStringLiteral("34"));
    row("32767 characters", QString(32767, QLatin1Char('x')));
    row("1 MB", QString(1 << 20, QLatin1Char('x')));
    row("10 MB of two-byte characters", QString(10 << 20, QChar(0x0436)));
    row("10 MB of short lines", QStringLiteral("0123456\n").repeated((10 << 20) / 8));
    row("100,000 combining marks", QLatin1Char('a') + QString(100'000, QChar(0x0301)));
    row("a million joiners", QString(1'000'000, QChar(0x200D)));
    row("rainbow flags cut between a surrogate pair",
        QStringLiteral("\U0001F3F3\uFE0F\u200D\U0001F308").repeated(50'000));
    row("500 cut to 50 after 32765 zeros", QString(32765, QLatin1Char('0')) + QStringLiteral("500"),
        true);
}

// Pasted, as such texts arrive; the field takes up to its bound in whole characters, and the
// box shows exactly what it holds, the typed text set apart by Unicode isolation marks.
void TestResults::hostilePartnerText()
{
    QFETCH(QString, partner);
    QFETCH(bool, accepted);
    const QString words = QStringLiteral(" is not a valid integer value.");
    answerQuestionnaire(tandemo(), QStringLiteral("1111111"));
    BoxInspection seen;
    m_boxes->inspectEach([&](QMessageBox* box) { seen = inspectBox(box, words.trimmed()); });

    QString before, after, fieldText;
    bool stillOpen = false, boundedField = false;
    NextModal shown([&](QWidget* window) {
        typePartner(window, QStringLiteral("50"));
        click(window, QStringLiteral("BitBtn1"));
        before = child<QLineEdit>(window, QStringLiteral("Edit3"))->text();
        auto* edit = child<QLineEdit>(window, QStringLiteral("Edit4"));
        QGuiApplication::clipboard()->setText(partner);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        fieldText = edit->text();
        boundedField = qobject_cast<PartnerField*>(edit)->drawsBounded();
        edit->grab();
        click(window, QStringLiteral("BitBtn1"));
        after = child<QLineEdit>(window, QStringLiteral("Edit3"))->text();
        stillOpen = window->isVisible() && QApplication::activeModalWidget() == window;
        window->close();
    });
    click(tandemo(), QStringLiteral("BitBtn8"));

    QVERIFY(shown.ran());
    QCOMPARE(before, QStringLiteral("10%"));
    QCOMPARE(after, before);
    QVERIFY(stillOpen);
    QVERIFY(m_links->urls.isEmpty());
    if (accepted) {
        QVERIFY(m_boxes->seen().isEmpty());
        return;
    }
    QString held = partner.left(PartnerField::bound);
    if (held.size() < partner.size() && held.back().isHighSurrogate()) {
        held.chop(1);
    }
    QCOMPARE(m_boxes->seen().size(), 1);
    const QString expected =
        QLatin1Char('\'') + QChar(0x2068) + held + QChar(0x2069) + QLatin1Char('\'') + words;
    QVERIFY2(m_boxes->seen().front().text == expected, "the box shows the text exactly as given");
    QCOMPARE(m_boxes->seen().front().icon, QMessageBox::Critical);
    QCOMPARE(m_boxes->seen().front().title, applicationTitle());
    QVERIFY(seen.plain);
    QVERIFY(seen.fits);
    QVERIFY(seen.wordsInView);
    QCOMPARE(seen.views, partner.isEmpty() ? 0 : 1); // any typed text is in the view
    QVERIFY2(seen.wordsInOrder, "our words read left to right and end the text");
    QVERIFY2(partner.size() > 500 || !seen.scrolls, "a moderate text reads like a label");
    QCOMPARE(fieldText, held);
    // Long texts and floods of marks or joiners are drawn bounded; the rest as a line edit does.
    QCOMPARE(boundedField, held.size() > PartnerField::drawnWhole ||
                               held.contains(QString(17, QChar(0x0301))) ||
                               held.contains(QString(17, QChar(0x200D))));
}

void TestResults::indicatorShowsTypeOne()
{
    auto* bar = child<QProgressBar>(m_owner->windows().specHelp, QStringLiteral("ProgressBar1"));
    QCOMPARE(bar->value(), 0);
    answerQuestionnaire(tandemo(), QStringLiteral("1111111"));

    int shownValue = -1;
    bool indicatorModal = false;
    NextModal shown([&](QWidget* window) {
        selectTab(window, 2);
        NextModal indicator([&](QWidget* specHelp) {
            indicatorModal = specHelp == m_owner->windows().specHelp && specHelp->isModal();
            shownValue = child<QProgressBar>(specHelp, QStringLiteral("ProgressBar1"))->value();
            click(specHelp, QStringLiteral("BitBtn1"));
        });
        click(window, QStringLiteral("BitBtn3"));
        indicatorModal = indicatorModal && indicator.ran();
        window->close();
    });
    click(tandemo(), QStringLiteral("BitBtn8"));

    QVERIFY(shown.ran());
    QVERIFY(indicatorModal);
    QCOMPARE(shownValue, 2);
    QVERIFY(m_boxes->seen().isEmpty());
}

void TestResults::keepsTabAndEditsAndCentresEachShowing()
{
    answerQuestionnaire(tandemo(), QStringLiteral("1111111"));
    QPoint firstPosition;
    bool firstCentred = false;
    NextModal first([&](QWidget* window) {
        firstPosition = window->pos();
        firstCentred = isCentred(window);
        typePartner(window, QStringLiteral("50"));
        click(window, QStringLiteral("BitBtn1"));
        selectTab(window, 2);
        window->move(0, 0);
        click(window, QStringLiteral("BitBtn2"));
    });
    click(tandemo(), QStringLiteral("BitBtn8"));
    QVERIFY(first.ran());
    QVERIFY(firstCentred);

    int tab = -1;
    QString partner, mutual;
    QPoint secondPosition;
    NextModal second([&](QWidget* window) {
        tab = child<QTabWidget>(window, QStringLiteral("PageControl1"))->currentIndex();
        partner = child<QLineEdit>(window, QStringLiteral("Edit4"))->text();
        mutual = child<QLineEdit>(window, QStringLiteral("Edit3"))->text();
        secondPosition = window->pos();
        click(window, QStringLiteral("BitBtn2"));
    });
    click(tandemo(), QStringLiteral("BitBtn8"));
    QVERIFY(second.ran());
    QCOMPARE(tab, 2);
    QCOMPARE(partner, QStringLiteral("50"));
    QCOMPARE(mutual, QStringLiteral("10%"));
    QCOMPARE(secondPosition, firstPosition);
    QVERIFY(isCentred(results()));
}

void TestResults::helpMessage()
{
    showResultsAlone();
    click(results(), QStringLiteral("Button1"));
    QCOMPARE(m_boxes->texts(),
             QStringList{"Вероятность, которая колеблется от 0% до 35% свидетельствует о низкой "
                         "возможности возникновения близких отношений; от 35 до 70 - о средней; "
                         "выше 70 - о высокой. Однако помните, что это всего лишь вероятность."});
    QCOMPARE(m_boxes->seen().front().icon, QMessageBox::NoIcon);
    QVERIFY(results()->isVisible());
}

void TestResults::links_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("address");
    QTest::newRow("shop banner, first tab") << 0 << "BitBtn9" << Links::shopStartPage();
    QTest::newRow("consultation") << 2 << "BitBtn4" << Links::consultationPage();
    QTest::newRow("developer's mail") << 2 << "BitBtn5" << Links::developerMail();
    QTest::newRow("partner programme banner") << 2 << "BitBtn11" << Links::shopPartnerPage();
}

void TestResults::links()
{
    QFETCH(int, tab);
    QFETCH(QString, button);
    QFETCH(QString, address);
    showResultsAlone();
    selectTab(results(), tab);
    click(results(), button);
    QCOMPARE(m_links->urls, QList<QUrl>{LinkOpener::toUrl(address)});
    QVERIFY(results()->isVisible());
}

void TestResults::enterAndEscapeLeaveItOpen_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::newRow("Enter in the partner box") << "Edit4" << int(Qt::Key_Return);
    QTest::newRow("Enter on the keypad in the partner box") << "Edit4" << int(Qt::Key_Enter);
    QTest::newRow("Escape in the partner box") << "Edit4" << int(Qt::Key_Escape);
    QTest::newRow("Escape in the grid") << "StringGrid1" << int(Qt::Key_Escape);
}

// The window has neither a default nor a cancel button.
void TestResults::enterAndEscapeLeaveItOpen()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    showResultsAlone();
    auto* target = child<QWidget>(results(), focus);
    selectTab(results(), target->parentWidget()->objectName() == "TabSheet2" ? 1 : 0);
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key));
    QVERIFY(results()->isVisible());
    QVERIFY(m_boxes->seen().isEmpty());
    QCOMPARE(child<QLineEdit>(results(), QStringLiteral("Edit3"))->text(), QString());
}

void TestResults::gridRows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("heading");
    const int heights[] = {24, 22, 24, 24, 24, 24, 24, 24};
    QTest::newRow("heading row") << 0 << heights[0] << "НОМЕР ВОПРОСА";
    for (int row = 1; row <= 7; ++row) {
        QTest::addRow("question %d", row)
            << row << heights[row] << QStringLiteral("  №%1").arg(row);
    }
}

void TestResults::gridRows()
{
    QFETCH(int, row);
    showResultsAlone();
    auto* grid = child<QTableWidget>(results(), QStringLiteral("StringGrid1"));
    QCOMPARE(grid->rowCount(), 8);
    QCOMPARE(grid->columnCount(), 2);
    QTEST(grid->rowHeight(row), "height");
    QTEST(grid->item(row, 0)->text(), "heading");
    QCOMPARE(grid->item(row, 1)->text(), row == 0 ? QStringLiteral("ВЕРОЯТНОСТЬ") : QString());
    QCOMPARE(grid->columnWidth(0), 100);
    QCOMPARE(grid->columnWidth(1), 100);

    // The fixed row and column are drawn in button face; the cells of column 1 below
    // them in the grid's own colour.
    const QImage image = grid->viewport()->grab().toImage();
    const auto colourAt = [&](int column) {
        const QRect cell = grid->visualItemRect(grid->item(row, column));
        return QColor(image.pixel(cell.right() - 4, cell.top() + 3)); // clear of the text
    };
    QCOMPARE(colourAt(0), WindowLook::btnFace());
    QCOMPARE(colourAt(1), row == 0 ? WindowLook::btnFace() : grid->palette().color(QPalette::Base));
}

void TestResults::gridIsReadOnly()
{
    showResultsAlone();
    auto* grid = child<QTableWidget>(results(), QStringLiteral("StringGrid1"));
    grid->item(3, 1)->setText(QStringLiteral("5%"));
    const auto clickCell = [&](int row, int column) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualItemRect(grid->item(row, column)).center());
    };

    clickCell(0, 0);
    clickCell(3, 0);
    QVERIFY(grid->selectedItems().isEmpty());

    clickCell(3, 1);
    QCOMPARE(grid->selectedItems(), QList<QTableWidgetItem*>{grid->item(3, 1)});
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {},
                       grid->visualItemRect(grid->item(3, 1)).center());
    QTest::keyClicks(grid, QStringLiteral("99"));
    QTest::keyClick(grid, Qt::Key_F2);
    QTest::keyClicks(grid, QStringLiteral("7"));
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(grid->item(3, 1)->text(), QStringLiteral("5%"));
}

void TestResults::window()
{
    TResults* window = results();
    QCOMPARE(window->windowTitle(), QStringLiteral("Results"));
    QCOMPARE(window->size(), QSize(576, 438));
    QVERIFY(
        window->windowFlags().testFlags(Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint));
    QVERIFY(window->minimumSize() != window->maximumSize());
    QCOMPARE(window->parentWidget(), tandemo());
    QCOMPARE(window->palette().color(QPalette::Window), WindowLook::purple);
    QCOMPARE(window->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(window->font().pixelSize(), 11);
    // One pixel of border all round the client area.
    showResultsAlone();
    QCOMPARE(child<QWidget>(window, QStringLiteral("Client"))->geometry(), QRect(1, 1, 574, 436));

    auto* pages = child<QTabWidget>(window, QStringLiteral("PageControl1"));
    QCOMPARE(pages->currentIndex(), 0);
    QCOMPARE(pages->count(), 3);
    const QStringList titles{"АНАЛИЗ ОТДЕЛЬНЫХ ВОПРОСОВ", "ИТОГОВЫЙ РЕЗУЛЬТАТ", "РЕКОМЕНДАЦИИ"};
    for (int tab = 0; tab < 3; ++tab) {
        QCOMPARE(pages->tabText(tab), titles[tab]);
        QCOMPARE(pages->widget(tab)->objectName(), QStringLiteral("TabSheet%1").arg(tab + 1));
    }
}

void TestResults::layout_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("geometry"); // width and height 0: sized to its text
    QTest::addColumn<QString>("text");

    const auto row = [](const char* control, QRect geometry, const QString& text = {}) {
        QTest::newRow(control) << QString::fromLatin1(control) << geometry << text;
    };
    row("Label1", {120, 8, 309, 29}, " ПАНЕЛЬ РЕЗУЛЬТАТОВ ");
    row("PageControl1", {16, 48, 537, 377});
    row("Label2", {32, 8, 0, 0}, "Вероятность возникновения близких отношений, ");
    row("Label3", {32, 32, 0, 0}, "рассчитанная для каждого отдельного вопроса ...");
    row("StringGrid1", {32, 64, 209, 209});
    row("Bevel1", {264, 64, 241, 209});
    row("BitBtn9", {280, 88, 201, 89}, "");
    row("Label17", {272, 224, 0, 0}, "Кликните, чтобы узнать подробнее...");
    row("Label4", {8, 312, 0, 0}, "Для получения дополнительной информации нажмите >");
    row("Button1", {352, 304, 91, 33}, "СПРАВКА");
    row("Label5", {8, 8, 0, 0}, "В результате обработки данных по каждому вопросу мы получили");
    row("Label6", {8, 24, 0, 0}, "вероятность, отражающую Ваши ответы на в с е вопросы вместе.");
    row("Label7", {8, 40, 0, 0}, "Она получена по оригинальной гипотетической формуле, которая");
    row("Label8", {8, 56, 0, 0}, "предназначена для индивидуального использования методики.");
    row("Label9", {32, 80, 0, 0}, "Значение этого параметра указано здесь:");
    row("Edit1", {328, 72, 73, 32}, "Edit1");
    row("Label16", {416, 80, 0, 0}, " ТИП 1 ");
    row("Label10", {8, 120, 0, 0},
        "Однако результаты данной методики оказываются значительно более ");
    row("Label11", {8, 136, 0, 0},
        "точными, когда в тестировании принимают участие оба потенциальных ");
    row("Label12", {8, 152, 0, 0},
        "партнёра. Если Вы пользуетесь таким вариантом, то рассчитывать");
    row("Label13", {8, 168, 0, 0},
        "итоговую вероятность необходимо по другой формуле. Вначале введите");
    row("Label14", {8, 192, 0, 0}, "итоговую вероятность Вашего партнёра (тип2):");
    row("Edit4", {328, 184, 73, 32}, "0");
    row("EditR", {48, 240, 0, 0}, "Ваше значение этого показателя (тип2):");
    row("Edit2", {328, 232, 73, 32}, "Edit2");
    row("Label18", {416, 240, 0, 0}, " ТИП 2 ");
    row("Label15", {32, 304, 0, 0}, "Полная вероятность взаимных отношений:");
    row("Edit3", {328, 296, 73, 32}, "");
    row("BitBtn1", {408, 288, 89, 49}, "ВЫЧИСЛИТЬ");
    row("Memo1", {48, 8, 425, 241});
    row("BitBtn4", {48, 256, 105, 25}, "Консультация");
    row("BitBtn11", {160, 256, 201, 89}, "");
    row("BitBtn3", {368, 256, 105, 25}, "Подробности");
    row("BitBtn5", {48, 312, 105, 25}, "Разработчик");
    row("BitBtn2", {368, 320, 105, 25}, "ВЫХОД");
}

void TestResults::layout()
{
    QFETCH(QString, control);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    showResultsAlone();
    auto* widget = child<QWidget>(results(), control);

    QCOMPARE(widget->pos(), geometry.topLeft());
    if (geometry.size().isEmpty()) {
        QCOMPARE(widget->size(), widget->sizeHint());
    } else {
        QCOMPARE(widget->size(), geometry.size());
    }
    // Nothing is cut off by its tab page or the window.
    QVERIFY(widget->parentWidget()->rect().contains(widget->geometry()));

    QString shown;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        shown = label->text();
        QVERIFY(textFits(label));
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        shown = edit->text();
        QVERIFY(!edit->isReadOnly());
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        shown = button->text();
    }
    QCOMPARE(shown, text);
}

void TestResults::looks_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("background"); // invalid: not filled, the parent shows

    using namespace WindowLook;
    const QString ms = QStringLiteral("MS Sans Serif");
    const QColor none;
    // The highlight text (white) darkened to read on the pages' grey.
    const QColor onPage(85, 85, 85);
    QTest::newRow("title") << "Label1"
                           << "Times New Roman" << 25 << true << yellow << green;
    QTest::newRow("pages") << "PageControl1" << ms << 11 << false << black << none;
    for (const char* label : {"Label2", "Label3"}) {
        QTest::newRow(label) << label << "Times New Roman" << 17 << false << onPage << none;
    }
    for (const char* label : {"Label17", "Label4"}) {
        QTest::newRow(label) << label << "Tahoma" << 12 << false << yellow << green;
    }
    QTest::newRow("help button") << "Button1"
                                 << "Bookman Old Style" << 16 << false << purple << none;
    for (const char* label : {"Label5", "Label6", "Label7", "Label8", "Label9", "Label10",
                              "Label11", "Label12", "Label13", "Label14", "EditR", "Label15"}) {
        QTest::newRow(label) << label << ms << 13 << false << onPage << none;
    }
    for (const char* label : {"Label16", "Label18"}) {
        QTest::newRow(label) << label << ms << 19 << false << activeCaption() << teal;
    }
    // The controls on the pages take the pages' black font unless given their own.
    for (const char* edit : {"Edit1", "Edit4", "Edit2", "Edit3"}) {
        QTest::newRow(edit) << edit << ms << 19 << false << black << none;
    }
    QTest::newRow("compute button") << "BitBtn1" << ms << 11 << true << maroon << none;
    QTest::newRow("recommendations") << "Memo1" << ms << 11 << false << black << none;
    // Red two shades darker, to read on the face, also in the highlight's tint it takes
    // as the default button a focused button becomes.
    QTest::newRow("consultation") << "BitBtn4" << ms << 11 << false << QColor(206, 0, 0) << none;
    QTest::newRow("details") << "BitBtn3" << ms << 11 << false << QColor(206, 0, 0) << none;
    QTest::newRow("developer") << "BitBtn5" << ms << 11 << false << black << none;
    QTest::newRow("exit") << "BitBtn2" << ms << 11 << false << black << none;
}

void TestResults::looks()
{
    QFETCH(QString, control);
    QFETCH(QColor, background);
    auto* widget = child<QWidget>(results(), control);
    QTEST(widget->font().family(), "family");
    QTEST(widget->font().pixelSize(), "pixels");
    QTEST(widget->font().bold(), "bold");
    const QPalette::ColorRole textRole =
        qobject_cast<QAbstractButton*>(widget)                               ? QPalette::ButtonText
        : qobject_cast<QLabel*>(widget) || qobject_cast<QTabWidget*>(widget) ? QPalette::WindowText
                                                                             : QPalette::Text;
    QTEST(widget->palette().color(textRole), "text");
    QCOMPARE(widget->autoFillBackground(), background.isValid());
    if (background.isValid()) {
        QCOMPARE(widget->palette().color(QPalette::Window), background);
    }
}

void TestResults::picturesAndTexts()
{
    const QWidget* window = results();
    QCOMPARE(child<ImageButton>(window, QStringLiteral("BitBtn9"))->picture().size(),
             QSize(219, 97));
    QCOMPARE(child<ImageButton>(window, QStringLiteral("BitBtn11"))->picture().size(),
             QSize(218, 98));
    for (const char* name : {"BitBtn9", "BitBtn11"}) {
        auto* banner = child<ImageButton>(window, name);
        QVERIFY(!banner->accessibleName().isEmpty());
        QCOMPARE(banner->cursor().shape(), Qt::PointingHandCursor);
    }

    const struct {
        const char* button;
        const char* strip;
    } glyphs[] = {{"BitBtn4", Assets::ConsultGlyph}, {"BitBtn5", Assets::DeveloperGlyph}};
    for (const auto& glyph : glyphs) {
        const QImage strip(QString::fromLatin1(glyph.strip));
        QCOMPARE(strip.size(), QSize(32, 16));
        const QIcon icon = child<QPushButton>(window, glyph.button)->icon();
        const auto state = [&](QIcon::Mode mode) {
            return icon.pixmap(QSize(16, 16), mode).toImage().convertToFormat(strip.format());
        };
        QCOMPARE(state(QIcon::Normal), strip.copy(0, 0, 16, 16));
        QCOMPARE(state(QIcon::Disabled), strip.copy(16, 0, 16, 16));
    }
    const auto standard = [&](QStyle::StandardPixmap which) {
        return window->style()->standardIcon(which).pixmap(QSize(16, 16)).toImage();
    };
    QCOMPARE(child<QPushButton>(window, QStringLiteral("BitBtn3"))->icon().pixmap(16).toImage(),
             standard(QStyle::SP_DialogHelpButton));
    QCOMPARE(child<QPushButton>(window, QStringLiteral("BitBtn2"))->icon().pixmap(16).toImage(),
             standard(QStyle::SP_DialogCloseButton));

    auto* memo = child<QPlainTextEdit>(window, QStringLiteral("Memo1"));
    QCOMPARE(memo->toPlainText(), Assets::readText(Assets::Recommendations));
    QCOMPARE(memo->document()->blockCount(), 25);
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

QTEST_MAIN(TestResults)
#include "test_results.moc"
