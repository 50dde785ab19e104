#include "message_boxes.h"

#include "application_title.h"
#include "plain_text_view.h"
#include "window_centring.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>
#include <QStringDecoder>

#ifdef __GLIBC__
#endif

namespace {

constexpr QChar firstStrongIsolate(0x2068);
constexpr QChar popDirectionalIsolate(0x2069);

// Beyond this many characters a text is never measured for the label.
constexpr qsizetype labelLengthLimit = 4000;

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

QLabel* plainLabel(QLabel* label)
{
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    label->setOpenExternalLinks(false);
    return label;
}

// The part [from, to) of a box's text that someone typed, and the program's words around it:
// before it, right after it, and the words that close the message.
struct Quoted {
    qsizetype from = 0;
    qsizetype to = 0;
    QString before;
    QString after;
    QString words;
};

void appendFullStop(QString& message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.') {
        message += QLatin1Char('.');
    }
}

// QMessageBox lays itself out while being shown, so the centring has to wait for
// the show event to know the final size.
class CentredMessageBox : public QMessageBox {
public:
    // The box's text is `text`, whole; what is drawn of it is the label's as long as the text
    // is the program's own and fits, and otherwise a text view in the label's place.
    CentredMessageBox(Icon icon, const QString& text, const Quoted& quoted)
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
        setText(text);
        if (quoted.to > quoted.from) {
            putInView(label, text, quoted);
        } else if (!fitsLabel(text, label->font())) {
            putInView(label, text, {0, text.size(), {}, {}, {}});
        }
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        WindowCentring::centreOnScreen(this);
    }

private:
    // The label keeps the whole text (it is the box's text) but is never laid out: the view
    // stands in its cell of the box's grid. A text that fits the screen reads as the label
    // would show it, wrapped anywhere; a longer one scrolls, with the words under it.
    void putInView(QLabel* label, const QString& text, const Quoted& quoted)
    {
        auto* grid = qobject_cast<QGridLayout*>(layout());
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(grid->indexOf(label), &row, &column, &rowSpan, &columnSpan);
        label->hide();

        auto* view = new PlainTextView(text, quoted.from, quoted.to, this);
        view->setFont(label->font());
        view->setSurroundings(quoted.before, quoted.after + quoted.words);
        const QRect screen = screenArea();
        const QMargins margins =
            label->contentsMargins() + QMargins(qMax(label->indent(), 0), 0, 0, 0);
        if (view->fitAsLabel(QSize(wrapWidth() - 100, screen.height() / 2), margins)) {
            grid->addWidget(view, row, column, Qt::AlignVCenter);
            return;
        }
        view->setSurroundings(quoted.before, quoted.after);
        view->setScrolling(QSize(wrapWidth() - 100, qMin(screen.height() / 3, 240)));
        grid->addWidget(view, row, column);
        if (!quoted.words.isEmpty()) {
            auto* wordsLabel = plainLabel(new QLabel(quoted.words.trimmed(), this));
            wordsLabel->setObjectName(QStringLiteral("MessageWords"));
            grid->addWidget(wordsLabel, row + 1, column);
        }
    }
};

void showBox(QMessageBox::Icon icon, const QString& text, const Quoted& quoted = {})
{
    CentredMessageBox box(icon, text, quoted);
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

void showQuotingError(QStringView quote, QByteArrayView quotedUtf8, QStringView words)
{
    // Built in one buffer, decoded in place: a paste of many megabytes exists once more here,
    // not three times.
    QString text;
    text.reserve(2 * quote.size() + quotedUtf8.size() + words.size() + 3);
    text += quote;
    text += firstStrongIsolate;
    Quoted quoted;
    quoted.from = text.size();
    text.resize(quoted.from + quotedUtf8.size());
    // A byte-order mark is a character of the text like any other.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QChar* end = decoder.appendToBuffer(text.data() + quoted.from, quotedUtf8);
    quoted.to = end - text.constData();
    text.resize(quoted.to);
    text += popDirectionalIsolate;
    text += quote;
    text += words;
    appendFullStop(text);
    quoted.before = quote.toString();
    quoted.after = quote.toString();
    quoted.words = text.sliced(quoted.to + 1 + quote.size());
    showBox(QMessageBox::Critical, text, quoted);
}

QString withFullStop(const QString& message)
{
    QString text = message;
    appendFullStop(text);
    return text;
}

} // namespace MessageBoxes
