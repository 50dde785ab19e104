// The current-probability window, the attraction window and the about box.

#include "tandemo_version.h"
#include "window_test_support.h"

#include "assets.h"
#include "font_substitutions.h"
#include "modal_watcher.h"
#include "questionnaire_driver.h"
#include "tandemo.h"
#include "window_look.h"
#include "window_owner.h"

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

#include <memory>

class TestInfoWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerFontSubstitutions(); }
    void init();
    void cleanup();

    void windows_data();
    void windows();
    void controls_data();
    void controls();
    void currentProbability_data();
    void currentProbability();
    void everyPercentageShowsWhole();
    void currentProbabilityKeys_data();
    void currentProbabilityKeys();
    void closesFromItsControls_data();
    void closesFromItsControls();
    void attractionEssay();
    void aboutBoxPanelAndIcon();

private:
    QWidget* tandemo() const { return m_owner->windows().tandemo; }
    QDialog* window(const QString& name) const { return child<QDialog>(tandemo(), name); }
    struct Outcome {
        bool ran = false;
        bool closed = false;
        int result = -1;
    };
    // Opens a window through its menu command, does what a user would there, and closes
    // it with its button if it is still open.
    Outcome throughMenu(const QString& command, const std::function<void(QWidget*)>& act,
                        const QString& closeButton);

    std::unique_ptr<MessageBoxCloser> m_boxes;
    std::unique_ptr<WindowOwner> m_owner;
};

void TestInfoWindows::init()
{
    m_boxes = std::make_unique<MessageBoxCloser>();
    m_owner = std::make_unique<WindowOwner>(numberedWeights());
    m_owner->createWindows();
    tandemo()->show();
    QVERIFY(QTest::qWaitForWindowExposed(tandemo()));
}

void TestInfoWindows::cleanup()
{
    closeLeftoverModals();
    m_owner.reset();
    m_boxes.reset();
}

TestInfoWindows::Outcome TestInfoWindows::throughMenu(const QString& command,
                                                      const std::function<void(QWidget*)>& act,
                                                      const QString& closeButton)
{
    Outcome outcome;
    NextModal shown([&](QWidget* window) {
        act(window);
        auto* dialog = qobject_cast<QDialog*>(window);
        outcome.closed = !dialog->isVisible();
        outcome.result = dialog->result();
        if (dialog->isVisible()) {
            click(dialog, closeButton);
        }
    });
    child<QAction>(tandemo(), command)->trigger();
    outcome.ran = shown.ran();
    return outcome;
}

void TestInfoWindows::windows_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QPoint>("position"); // null: centred on the screen at every showing
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("sizeable");
    QTest::newRow("current probability")
        << "TInfo"
        << "N9"
        << "Info" << QSize(269, 170) << QPoint(192, 109) << WindowLook::btnFace() << true;
    QTest::newRow("attraction") << "TAttract"
                                << "N6"
                                << "Attract" << QSize(467, 308) << QPoint(211, 107)
                                << WindowLook::purple << true;
    QTest::newRow("about") << "TAboutBox"
                           << "Tandemo1"
                           << "About" << QSize(306, 213) << QPoint() << WindowLook::purple << false;
}

void TestInfoWindows::windows()
{
    QFETCH(QString, window);
    QFETCH(QString, command);
    QFETCH(QPoint, position);
    QFETCH(bool, sizeable);
    QDialog* dialog = this->window(window);
    QTEST(dialog->windowTitle(), "title");
    QTEST(dialog->size(), "client");
    QTEST(dialog->palette().color(QPalette::Window), "colour");
    QCOMPARE(dialog->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(dialog->font().pixelSize(), 11);
    QCOMPARE(dialog->windowFlags().testFlag(Qt::WindowMinMaxButtonsHint), sizeable);
    QCOMPARE(dialog->minimumSize() != dialog->maximumSize(), sizeable);
    QVERIFY(dialog->windowFlags().testFlag(Qt::WindowSystemMenuHint));

    // Shown twice, moved away in between: a designed position is kept as the user
    // left it, a centred window is centred again.
    QPoint first, second;
    bool firstModal = false, firstCentred = false, secondCentred = false;
    throughMenu(command,
                [&](QWidget* shown) {
                    firstModal = shown == dialog && dialog->isModal();
                    first = shown->pos();
                    firstCentred = isCentred(shown);
                    shown->move(3, 4);
                    dialog->done(QDialog::Accepted);
                },
                {});
    throughMenu(command,
                [&](QWidget* shown) {
                    second = shown->pos();
                    secondCentred = isCentred(shown);
                    dialog->done(QDialog::Accepted);
                },
                {});
    QVERIFY(firstModal);
    if (position.isNull()) {
        QVERIFY(firstCentred);
        QVERIFY(secondCentred);
    } else {
        QCOMPARE(first, position);
        QCOMPARE(second, QPoint(3, 4));
    }
}

void TestInfoWindows::controls_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("geometry"); // empty size: sized to its text
    QTest::addColumn<QString>("text");   // null: not given by the design
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QColor>("background"); // invalid: not filled

    using namespace WindowLook;
    const QString ms = QStringLiteral("MS Sans Serif");
    const auto row = [&](const char* name, const char* window, const char* control,
                         const QRect& geometry, const QString& text, int pixels = 11,
                         const QColor& colour = windowText(), const QString& family = {},
                         const QColor& background = {}) {
        QTest::newRow(name) << QString(window) << QString(control) << geometry << text
                            << (family.isNull() ? ms : family) << pixels << colour << background;
    };
    row("info: heading", "TInfo", "Label1", QRect(8, 8, 244, 24), "ТЕКУЩАЯ ВЕРОЯТНОСТЬ", 19, teal);
    row("info: percentage", "TInfo", "Edit1", QRect(88, 48, 89, 54), {}, 40, windowText(),
        "Lucida Sans");
    row("info: continue", "TInfo", "BitBtn1", QRect(64, 120, 145, 33), "ПРОДОЛЖИТЬ ОПРОС", 11,
        QColor(206, 0, 0));
    row("attract: heading", "TAttract", "Label1", QRect(88, 16, 286, 32), "Что такое аттракция?",
        27, yellow);
    row("attract: essay", "TAttract", "Memo1", QRect(8, 64, 449, 185), {});
    row("attract: close", "TAttract", "BitBtn1", QRect(184, 264, 89, 25), "ЗАКРЫТЬ");
    row("about: panel", "TAboutBox", "Panel1", QRect(8, 8, 289, 161), {}, 11, windowText(), ms,
        silver);
    row("about: icon", "TAboutBox", "ProgramIcon", QRect(16, 24, 33, 33), {});
    row("about: product", "TAboutBox", "ProductName", QRect(88, 16, 0, 0),
        "Tandemo   -  ТНД - русская версия");
    row("about: version", "TAboutBox", "Version", QRect(88, 40, 0, 0),
        QStringLiteral("ВЕРСИЯ ") + QLatin1String(TandemoVersion::release));
    row("about: maker", "TAboutBox", "Copyright", QRect(88, 64, 0, 0), {});
    row("about: comments", "TAboutBox", "Comments", QRect(48, 96, 187, 39),
        "ПРОГРАММА ДЛЯ ОПРЕДЕЛЕНИЯ ВЕРОЯТНОСТИ ФОРМИРОВАНИЯ ОТНОШЕНИЙ...");
    row("about: OK", "TAboutBox", "OKButton", QRect(111, 180, 75, 25), "OK");
}

void TestInfoWindows::controls()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(QColor, background);
    // Labels take the size of their texts when their window is first shown.
    QDialog* dialog = this->window(window);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    auto* widget = child<QWidget>(dialog, control);

    QCOMPARE(widget->pos(), geometry.topLeft());
    QCOMPARE(widget->size(), geometry.size().isEmpty() ? widget->sizeHint() : geometry.size());
    QVERIFY(widget->parentWidget()->rect().contains(widget->geometry()));
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        QVERIFY(textFits(label));
        QVERIFY(!text.isNull() || label->text().isEmpty() == (control == "ProgramIcon"));
        if (!text.isNull()) {
            QCOMPARE(label->text(), text);
        }
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        QCOMPARE(button->text(), text);
    }
    QTEST(widget->font().family(), "family");
    QTEST(widget->font().pixelSize(), "pixels");
    const QPalette::ColorRole role = qobject_cast<QAbstractButton*>(widget) ? QPalette::ButtonText
                                     : qobject_cast<QLabel*>(widget) || control == "Panel1"
                                         ? QPalette::WindowText
                                         : QPalette::Text;
    QTEST(widget->palette().color(role), "colour");
    QCOMPARE(widget->autoFillBackground(), background.isValid());
    if (background.isValid()) {
        QCOMPARE(widget->palette().color(QPalette::Window), background);
    }
}

void TestInfoWindows::currentProbability_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("shown");
    QTest::newRow("before the questionnaire") << QStringList{} << "0%";
    QTest::newRow("answer 1, then questions 2 and 3")
        << QStringList{"BitBtn1", "CheckBox1", "BitBtn2", "BitBtn3"} << "12%";
}

void TestInfoWindows::currentProbability()
{
    QFETCH(QStringList, clicks);
    if (!clicks.isEmpty()) {
        child<QAction>(tandemo(), QStringLiteral("N2"))->trigger();
    }
    for (const QString& name : clicks) {
        auto* button = child<QAbstractButton>(tandemo(), name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    QString shown;
    const Outcome outcome = throughMenu(
        QStringLiteral("N9"),
        [&](QWidget* window) {
            shown = child<QLineEdit>(window, QStringLiteral("Edit1"))->text();
            click(window, QStringLiteral("BitBtn1"));
        },
        QStringLiteral("BitBtn1"));
    QVERIFY(outcome.ran);
    QTEST(shown, "shown");
    QVERIFY(outcome.closed);
    QCOMPARE(outcome.result, int(QDialog::Accepted));
}

// The questionnaire writes 0% to 100% into the box: each shows whole, from the left edge
// of the text area, without the line edit scrolling any of it away.
void TestInfoWindows::everyPercentageShowsWhole()
{
    QDialog* info = window(QStringLiteral("TInfo"));
    info->show();
    QVERIFY(QTest::qWaitForWindowExposed(info));
    auto* edit = child<QLineEdit>(info, QStringLiteral("Edit1"));
    const auto cursorX = [edit] {
        edit->grab(); // the edit decides its scrolling when it paints
        return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
    };
    edit->clear();
    const int left = cursorX();
    for (int percent = 0; percent <= 100; ++percent) {
        const QString text = QString::number(percent) + QLatin1Char('%');
        edit->setText(text);
        const int width = QFontMetrics(edit->font()).horizontalAdvance(text);
        const int end = cursorX();
        QVERIFY2(qAbs(end - left - width) <= 1 && end < edit->contentsRect().right(),
                 qPrintable(QStringLiteral("%1: %2 px wide, the cursor at %3 from %4")
                                .arg(text)
                                .arg(width)
                                .arg(end)
                                .arg(left)));
    }
}

void TestInfoWindows::currentProbabilityKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

// Neither key has a button to reach here; what the user typed stays.
void TestInfoWindows::currentProbabilityKeys()
{
    QFETCH(int, key);
    QString typed;
    const Outcome outcome = throughMenu(
        QStringLiteral("N9"),
        [&](QWidget* window) {
            auto* edit = child<QLineEdit>(window, QStringLiteral("Edit1"));
            edit->setFocus();
            QTest::keyClicks(edit, QStringLiteral("5"));
            QTest::keyClick(edit, Qt::Key(key));
            typed = edit->text();
        },
        QStringLiteral("BitBtn1"));
    QVERIFY(outcome.ran);
    QVERIFY(!outcome.closed);
    QCOMPARE(typed, QStringLiteral("0%5"));
}

void TestInfoWindows::attractionEssay()
{
    auto* essay =
        child<QPlainTextEdit>(window(QStringLiteral("TAttract")), QStringLiteral("Memo1"));
    QCOMPARE(essay->toPlainText(), Assets::readText(Assets::Attraction));
    QCOMPARE(essay->document()->blockCount(), 24);
    QVERIFY(essay->isReadOnly());
    QCOMPARE(essay->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    // The paragraphs opened by three tabs start where the classic edits put them, three
    // stops of eight average characters in, far from the middle of the box.
    essay->show();
    const int stops = 3 * 8 * QFontMetrics(essay->font()).averageCharWidth();
    int tabbed = 0;
    for (QTextBlock block = essay->document()->begin(); block.isValid(); block = block.next()) {
        if (block.text().startsWith(QStringLiteral("\t\t\t"))) {
            QTextCursor cursor(block);
            cursor.setPosition(block.position() + 3);
            const int x =
                essay->cursorRect(cursor).left() - essay->cursorRect(QTextCursor(block)).left();
            QVERIFY2(qAbs(x - stops) <= 3, qPrintable(QString::number(x)));
            ++tabbed;
        }
    }
    QCOMPARE(tabbed, 2);
}

// The attraction window cancels, the about box accepts; only the about box's
// button is default, so Enter closes it and Escape does not.
void TestInfoWindows::closesFromItsControls_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("closeButton");
    QTest::addColumn<bool>("closeIsDefault");
    QTest::addColumn<QString>("focus"); // empty: the key reaches the window itself
    QTest::addColumn<int>("key");       // 0: click the focused control
    QTest::addColumn<bool>("closed");
    QTest::addColumn<int>("result"); // once closed

    const auto row = [](const char* name, const char* command, const char* closeButton,
                        bool closeIsDefault, const char* focus, int key, bool closed,
                        QDialog::DialogCode result) {
        QTest::newRow(name) << QString::fromUtf8(command) << QString::fromUtf8(closeButton)
                            << closeIsDefault << QString::fromUtf8(focus) << key << closed
                            << int(result);
    };
    const auto attraction = [&](const char* name, const char* focus, int key, bool closed) {
        row(name, "N6", "BitBtn1", false, focus, key, closed, QDialog::Rejected);
    };
    attraction("attraction: ЗАКРЫТЬ clicked", "BitBtn1", 0, true);
    attraction("attraction: Escape in the essay", "Memo1", Qt::Key_Escape, true);
    attraction("attraction: Escape on the button", "BitBtn1", Qt::Key_Escape, true);
    attraction("attraction: Enter in the essay", "Memo1", Qt::Key_Return, false);
    const auto about = [&](const char* name, const char* focus, int key, bool closed) {
        row(name, "Tandemo1", "OKButton", true, focus, key, closed, QDialog::Accepted);
    };
    about("about: OK clicked", "OKButton", 0, true);
    about("about: Enter", "", Qt::Key_Return, true);
    about("about: Escape", "", Qt::Key_Escape, false);
}

void TestInfoWindows::closesFromItsControls()
{
    QFETCH(QString, command);
    QFETCH(QString, closeButton);
    QFETCH(QString, focus);
    QFETCH(int, key);
    bool closeIsDefault = false;
    const Outcome outcome = throughMenu(
        command,
        [&](QWidget* window) {
            closeIsDefault = child<QPushButton>(window, closeButton)->isDefault();
            QWidget* target = window;
            if (!focus.isEmpty()) {
                target = child<QWidget>(window, focus);
                target->setFocus();
            }
            if (key == 0) {
                QTest::mouseClick(target, Qt::LeftButton);
            } else {
                QTest::keyClick(target, Qt::Key(key));
            }
        },
        closeButton);
    QVERIFY(outcome.ran);
    QTEST(closeIsDefault, "closeIsDefault");
    QTEST(outcome.closed, "closed");
    if (outcome.closed) {
        QTEST(outcome.result, "result");
    }
}

void TestInfoWindows::aboutBoxPanelAndIcon()
{
    QDialog* about = window(QStringLiteral("TAboutBox"));
    about->open();
    QVERIFY(QTest::qWaitForWindowExposed(about));

    // The 32 x 32 icon covers all of its 33 x 33 label: its picture grows by the
    // stretch, where an unstretched one would keep its exact outline.
    auto* icon = child<QLabel>(about, QStringLiteral("ProgramIcon"));
    const QImage picture = icon->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(picture.size(), QSize(32, 32));
    const QImage drawn = icon->grab().toImage();
    QCOMPARE(drawn.size(), QSize(33, 33));
    const auto outline = [](const QImage& image, const std::function<bool(QRgb)>& inked) {
        QRect box;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (inked(image.pixel(x, y))) {
                    box |= QRect(x, y, 1, 1);
                }
            }
        }
        return box;
    };
    const QRect original = outline(picture, [](QRgb pixel) { return qAlpha(pixel) > 0; });
    const QRect shown =
        outline(drawn, [](QRgb pixel) { return QColor(pixel) != WindowLook::silver; });
    QVERIFY(!original.isEmpty());
    QVERIFY(shown != original);
    QVERIFY(shown.width() >= original.width() && shown.height() >= original.height());

    // Lowered outside, raised inside: a dark line, then a light one along the top and
    // left, the other way round along the bottom and right; silver within.
    auto* panel = child<QFrame>(about, QStringLiteral("Panel1"));
    const QImage image = panel->grab().toImage();
    const QColor dark(panel->palette().color(QPalette::Dark).rgb());
    const QColor light(panel->palette().color(QPalette::Light).rgb());
    const auto at = [&](int x, int y) {
        return QColor(image.pixel(x, y));
    };
    const int middle = image.width() / 2, right = image.width() - 1, bottom = image.height() - 1;
    QCOMPARE(at(middle, 0), dark);
    QCOMPARE(at(middle, 1), light);
    QCOMPARE(at(0, 80), dark);
    QCOMPARE(at(1, 80), light);
    QCOMPARE(at(middle, bottom), light);
    QCOMPARE(at(middle, bottom - 1), dark);
    QCOMPARE(at(right, 80), light);
    QCOMPARE(at(right - 1, 80), dark);
    QCOMPARE(at(middle, bottom - 3), WindowLook::silver);
}

QTEST_MAIN(TestInfoWindows)
#include "test_info_windows.moc"
