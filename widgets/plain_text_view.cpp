#include "plain_text_view.h"

#include "display_text.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace {

// A piece ends after this many line breaks or this many characters, whichever comes first, so
// that laying one out is cheap and its height is a few lines; a paste of short lines costs
// one index entry per few lines, not a laid-out block per line.
constexpr int piecePerLines = 8;
constexpr qsizetype pieceLength = 256;
// A text shown as a label is one piece per few lines however long they are, so that its lines
// wrap as one paragraph's; only a text this short may be.
constexpr qsizetype labelLength = 2048;

QList<qsizetype> pieceStarts(QStringView text, qsizetype from, qsizetype to, qsizetype pieceLength)
{
    QList<qsizetype> starts{from};
    qsizetype at = from;
    while (at < to) {
        qsizetype end = qMin(to, at + pieceLength);
        // One pass over the piece's characters: a search per line costs more than the
        // line itself when the lines are a few characters long.
        int lineBreaks = 0;
        for (qsizetype i = at; i < end; ++i) {
            if (text[i] == u'\n' && ++lineBreaks == piecePerLines) {
                end = i + 1;
                break;
            }
        }
        // Neither a surrogate pair nor a CR LF is split between two pieces.
        if (end < to &&
            (text[end].isLowSurrogate() || (text[end] == u'\n' && text[end - 1] == u'\r'))) {
            ++end;
        }
        starts.append(end);
        at = end;
    }
    if (starts.size() == 1) {
        starts.append(to); // an empty text is one empty piece, which still shows the words
    }
    return starts;
}

} // namespace

PlainTextView::PlainTextView(const QString& text, qsizetype from, qsizetype to, QWidget* parent)
    : QAbstractScrollArea(parent), m_text(text), m_starts{from, to}
{
    setObjectName(QStringLiteral("MessageText"));
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setRange(0, 0);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (value != m_top) {
            m_top = value;
            m_offset = 0;
            viewport()->update();
        }
    });
}

void PlainTextView::setSurroundings(const QString& before, const QString& after)
{
    m_before = before;
    m_after = after;
    m_layouts.clear();
}

bool PlainTextView::fitAsLabel(QSize room, QMargins margins)
{
    if (m_starts.back() - m_starts.front() > labelLength) {
        return false;
    }
    m_starts = pieceStarts(m_text, m_starts.front(), m_starts.back(), labelLength);
    const int width = room.width() - margins.left() - margins.right();
    int height = margins.top() + margins.bottom();
    qreal widest = 0;
    for (qsizetype piece = 0; piece < pieceCount(); ++piece) {
        QTextLayout& text = layout(piece, width);
        height += qCeil(text.boundingRect().height());
        if (height > room.height()) {
            m_layouts.clear();
            return false;
        }
        for (int line = 0; line < text.lineCount(); ++line) {
            widest = qMax(widest, text.lineAt(line).naturalTextWidth());
        }
    }
    m_scrolling = false;
    setFrameShape(QFrame::NoFrame);
    setViewportMargins(margins);
    viewport()->setAutoFillBackground(false);
    setFixedSize(qMin(room.width(), qCeil(widest) + 1 + margins.left() + margins.right()), height);
    QString shown = m_before;
    shown += QStringView(m_text).sliced(m_starts.front(), m_starts.back() - m_starts.front());
    shown += m_after;
    setAccessibleName(shown);
    return true;
}

void PlainTextView::setScrolling(QSize size)
{
    m_scrolling = true;
    m_layouts.clear();
    m_starts = pieceStarts(m_text, m_starts.front(), m_starts.back(), pieceLength);
    setFrameShape(QFrame::StyledPanel);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::TabFocus);
    verticalScrollBar()->setRange(0, static_cast<int>(qMin<qsizetype>(pieceCount() - 1, INT_MAX)));
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setPageStep(4);
    setFixedSize(size);
}

QTextLayout& PlainTextView::layout(qsizetype piece, int width)
{
    if (width != m_layoutWidth) {
        m_layouts.clear();
        m_layoutWidth = width;
    }
    std::shared_ptr<QTextLayout>& text = m_layouts[piece];
    if (!text) {
        const QString shown = shownPiece(piece);
        text = std::make_shared<QTextLayout>(shown, font());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        option.setTextDirection(layoutDirection());
        text->setTextOption(option);
        text->setCacheEnabled(true);
        text->beginLayout();
        qreal y = 0;
        for (QTextLine line = text->createLine(); line.isValid(); line = text->createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        text->endLayout();
    }
    return *text;
}

QString PlainTextView::shownPiece(qsizetype piece) const
{
    const bool last = piece == pieceCount() - 1;
    QStringView part =
        QStringView(m_text).sliced(m_starts[piece], m_starts[piece + 1] - m_starts[piece]);
    // The next piece starts a line of its own; the break that ended this one is not drawn.
    if (!last && part.endsWith(u'\n')) {
        part.chop(part.endsWith(u"\r\n") ? 2 : 1);
    }
    QString shown = piece == 0 ? m_before : QString();
    DisplayText::appendDisplayed(shown, part, true);
    if (last) {
        shown += m_after;
    }
    return shown;
}

int PlainTextView::pieceHeight(qsizetype piece)
{
    return qCeil(layout(piece, viewport()->width()).boundingRect().height());
}

void PlainTextView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setPen(palette().color(m_scrolling ? QPalette::Text : QPalette::WindowText));
    const int width = viewport()->width();
    // Only the pieces drawn now stay laid out.
    QHash<qsizetype, std::shared_ptr<QTextLayout>> inSight;
    int y = -m_offset;
    for (qsizetype piece = m_top; piece < pieceCount() && y < viewport()->height(); ++piece) {
        QTextLayout& text = layout(piece, width);
        text.draw(&painter, QPointF(0, y));
        y += qCeil(text.boundingRect().height());
        inSight.insert(piece, m_layouts.value(piece));
    }
    m_layouts.swap(inSight);
}

void PlainTextView::wheelEvent(QWheelEvent* event)
{
    if (!m_scrolling) {
        event->ignore();
        return;
    }
    const int lineHeight = fontMetrics().lineSpacing();
    const int pixels =
        !event->pixelDelta().isNull()
            ? -event->pixelDelta().y()
            : -event->angleDelta().y() * QApplication::wheelScrollLines() * lineHeight / 120;
    scrollPixels(pixels);
    event->accept();
}

void PlainTextView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    m_offset = 0;
}

// Moves the view by whole pixels across pieces; the scroll bar follows the top piece.
void PlainTextView::scrollPixels(int pixels)
{
    while (pixels > 0) {
        const int rest = pieceHeight(m_top) - m_offset;
        if (pixels < rest || m_top + 1 >= pieceCount()) {
            m_offset = qBound(0, m_offset + pixels, qMax(0, pieceHeight(m_top) - 1));
            break;
        }
        pixels -= rest;
        ++m_top;
        m_offset = 0;
    }
    while (pixels < 0) {
        if (-pixels <= m_offset) {
            m_offset += pixels;
            break;
        }
        pixels += m_offset;
        if (m_top == 0) {
            m_offset = 0;
            break;
        }
        --m_top;
        m_offset = pieceHeight(m_top);
    }
    showPiece(m_top);
}

void PlainTextView::showPiece(qsizetype piece)
{
    const QSignalBlocker quiet(verticalScrollBar());
    verticalScrollBar()->setValue(static_cast<int>(qMin<qsizetype>(piece, INT_MAX)));
    viewport()->update();
}
