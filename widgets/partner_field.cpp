#include "partner_field.h"

#include "display_text.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextLayout>
#include <QValidator>

namespace {

// How much of the text on either side of the cursor is drawn: more than the field can show.
constexpr qsizetype stretch = 64;

// The stretch as the line edit shows it: its clusters bounded, and breaks and other controls
// as spaces, so that it stays one line. Each character stays one character.
QString shownStretch(QStringView text)
{
    QString shown = DisplayText::displayed(text, false);
    for (QChar& c : shown) {
        if ((c.unicode() < 0x20 && c != QLatin1Char('\t')) || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator) {
            c = QLatin1Char(' ');
        }
    }
    return shown;
}

// The number of characters that `text[from, at)` becomes when drawn.
int displayedLength(QStringView text, qsizetype from, qsizetype at)
{
    return static_cast<int>(DisplayText::displayed(text.sliced(from, at - from), false).size());
}

// Takes every text, less any half of a surrogate pair, which only a cut at the bound leaves.
class WholeCharacters : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override
    {
        for (qsizetype at = input.size() - 1; at >= 0; --at) {
            const QChar c = input[at];
            const bool paired =
                c.isHighSurrogate()
                    ? at + 1 < input.size() && input[at + 1].isLowSurrogate()
                    : !c.isLowSurrogate() || (at > 0 && input[at - 1].isHighSurrogate());
            if (!paired) {
                input.remove(at, 1);
                position -= at < position ? 1 : 0;
            }
        }
        return Acceptable;
    }
};

} // namespace

PartnerField::PartnerField(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(bound);
    setValidator(new WholeCharacters(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_bounded = text.size() > drawnWhole || DisplayText::hasLongCluster(text);
    });
}

void PartnerField::paintEvent(QPaintEvent* event)
{
    if (!m_bounded) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    const QRect room = style()
                           ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
                           .marginsRemoved(textMargins())
                           .adjusted(2, 1, -2, -1);

    const QString whole = text();
    const qsizetype cursor = cursorPosition();
    qsizetype from = qMax<qsizetype>(0, cursor - stretch);
    if (from > 0 && whole[from].isLowSurrogate()) {
        --from;
    }
    qsizetype to = qMin<qsizetype>(whole.size(), cursor + stretch);
    if (to < whole.size() && whole[to].isLowSurrogate()) {
        ++to;
    }
    QTextLayout layout(shownStretch(QStringView(whole).sliced(from, to - from)), font());
    // The direction is the whole text's, as the line edit takes it, not the stretch's.
    QTextOption option;
    option.setTextDirection(whole.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();

    QList<QTextLayout::FormatRange> selection;
    if (hasSelectedText()) {
        const qsizetype start = qBound(from, qsizetype(selectionStart()), to);
        const qsizetype end = qBound(from, qsizetype(selectionEnd()), to);
        QTextCharFormat look;
        look.setBackground(palette().brush(QPalette::Highlight));
        look.setForeground(palette().brush(QPalette::HighlightedText));
        const int begin = displayedLength(whole, from, start);
        selection.append({begin, displayedLength(whole, from, end) - begin, look});
    }
    const int cursorAt = displayedLength(whole, from, cursor);
    // The cursor stays in view, as the line edit keeps it.
    const qreal cursorX = line.cursorToX(cursorAt);
    const qreal x = room.left() - qMax<qreal>(0, cursorX - room.width() + 1);
    const QPointF origin(x, room.top() + (room.height() - line.height()) / 2);
    painter.setClipRect(room);
    painter.setPen(palette().color(QPalette::Text));
    layout.draw(&painter, origin, selection);
    if (hasFocus()) {
        layout.drawCursor(&painter, origin, cursorAt,
                          style()->pixelMetric(QStyle::PM_TextCursorWidth, &panel, this));
    }
}
