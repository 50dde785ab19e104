#include "message_boxes.h"

#include "application_title.h"
#include "window_centring.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShowEvent>

namespace {

constexpr QChar firstStrongIsolate(0x2068);
constexpr QChar popDirectionalIsolate(0x2069);

// Beyond this many characters a text is never measured for the label: it goes into the area.
constexpr qsizetype labelLengthLimit = 4000;
// The area holds the text in paragraphs of about this many characters: the text view lays
// out only the paragraphs in sight, so a paste of any length costs little more than its copy.
constexpr qsizetype paragraphLength = 1024;

QRect screenArea()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 640, 480);
}

// The width at which the box starts wrapping its label; half of it leaves room for the
// icon and the margins whatever the style, so a text that fits there fits the box.
int wrapWidth()
{
    return qMin(screenArea().width() / 2, 500);
}

bool fitsLabel(const QString& text, const QFont& font)
{
    if (text.size() > labelLengthLimit) {
        return false;
    }
    const QRect room(0, 0, wrapWidth() / 2, screenArea().height() / 2);
    const QRect needed =
        QFontMetrics(font).boundingRect(QRect(room.topLeft(), QSize(room.width(), QWIDGETSIZE_MAX)),
                                        Qt::TextWordWrap | Qt::TextExpandTabs, text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

// A character that belongs to the one before it: the paragraphs are not cut there.
bool continuesCharacter(QStringView text, qsizetype at)
{
    constexpr QChar zeroWidthJoiner(0x200D);
    return text[at].isLowSurrogate() || text[at].isMark() || text[at] == zeroWidthJoiner ||
           text[at - 1] == zeroWidthJoiner;
}

// The text with a paragraph break after every paragraphLength characters that run without
// one, moved past a character's continuation so that no character is split.
QString inParagraphs(QStringView text)
{
    QString paragraphs;
    paragraphs.reserve(text.size() + text.size() / paragraphLength + 1);
    qsizetype from = 0;
    while (text.size() - from > paragraphLength) {
        const qsizetype lineBreak = text.mid(from, paragraphLength).indexOf(QLatin1Char('\n'));
        if (lineBreak >= 0) {
            paragraphs += text.mid(from, lineBreak + 1);
            from += lineBreak + 1;
            continue;
        }
        qsizetype to = from + paragraphLength;
        while (to < text.size() && continuesCharacter(text, to)) {
            ++to;
        }
        paragraphs += text.mid(from, to - from);
        paragraphs += QLatin1Char('\n');
        from = to;
    }
    paragraphs += text.mid(from);
    return paragraphs;
}

QLabel* plainLabel(QLabel* label)
{
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    label->setOpenExternalLinks(false);
    return label;
}

// QMessageBox lays itself out while being shown, so the centring has to wait for
// the show event to know the final size.
class CentredMessageBox : public QMessageBox {
public:
    // The box's text is lead + words; when it is too long for the label, lead goes into the
    // area and words under it.
    CentredMessageBox(Icon icon, const QString& lead, const QString& words)
    {
        setObjectName(QStringLiteral("MessageBox"));
        setIcon(icon);
        setWindowTitle(applicationTitle());
        setStandardButtons(QMessageBox::Ok);
        // The format is fixed before any text arrives: Qt would otherwise guess it from
        // the text and lay out markup.
        setTextFormat(Qt::PlainText);
        setTextInteractionFlags(Qt::NoTextInteraction);
        QLabel* label = plainLabel(findChild<QLabel*>(QStringLiteral("qt_msgbox_label")));
        const QString text = lead + words;
        setText(text);
        if (!fitsLabel(text, label->font())) {
            putInArea(label, lead, words);
        }
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        WindowCentring::centreOnScreen(this);
    }

private:
    // The label keeps the whole text (it is the box's text) but leaves the screen to the
    // area, which stands in its cell of the box's grid, and to the words under it.
    void putInArea(QLabel* label, const QString& lead, const QString& words)
    {
        auto* grid = qobject_cast<QGridLayout*>(layout());
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(grid->indexOf(label), &row, &column, &rowSpan, &columnSpan);
        label->hide();

        auto* area = new QPlainTextEdit(this);
        area->setObjectName(QStringLiteral("MessageText"));
        area->setReadOnly(true);
        area->setUndoRedoEnabled(false);
        area->setTextInteractionFlags(Qt::NoTextInteraction);
        area->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        area->setWordWrapMode(QTextOption::WrapAnywhere);
        area->setPlainText(inParagraphs(lead));
        const QRect screen = screenArea();
        area->setFixedSize(wrapWidth() - 100, qMin(screen.height() / 3, 240));
        grid->addWidget(area, row, column);

        if (!words.isEmpty()) {
            auto* wordsLabel = plainLabel(new QLabel(words.trimmed(), this));
            wordsLabel->setObjectName(QStringLiteral("MessageWords"));
            grid->addWidget(wordsLabel, row + 1, column);
        }
    }
};

void showBox(QMessageBox::Icon icon, const QString& lead, const QString& words = {})
{
    CentredMessageBox box(icon, lead, words);
    // The box belongs to the window the user works in: the manager keeps it over that
    // window, and a taskbar lists no entry of its own for it. (The program's windows live
    // for the whole run, longer than any box.)
    QWidget* owner = QApplication::activeWindow();
    if (!owner) {
        owner = QApplication::activeModalWidget();
    }
    if (owner) {
        box.setParent(owner, box.windowFlags());
    }
    box.exec();
}

} // namespace

namespace MessageBoxes {

void inform(const QString& text)
{
    showBox(QMessageBox::NoIcon, text);
}

void showError(const QString& message)
{
    showBox(QMessageBox::Critical, withFullStop(message));
}

void showQuotingError(const QString& quote, const QString& quoted, const QString& words)
{
    const QString lead = quote + firstStrongIsolate + quoted + popDirectionalIsolate + quote;
    showBox(QMessageBox::Critical, lead, withFullStop(lead + words).mid(lead.size()));
}

QString withFullStop(const QString& message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.') {
        return message + QLatin1Char('.');
    }
    return message;
}

} // namespace MessageBoxes
