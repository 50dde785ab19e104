#pragma once
// A read-only view of a text of any length that lays out only what is in sight. It holds a
// shared copy of the text and the part of it to show ([from, to)), which it cuts into pieces
// of a few lines or a few hundred characters once; a piece is laid out (clusters bounded,
// isolates balanced: display_text.h) when it comes into sight and dropped when it leaves. The
// program's own words before and after the shown part are drawn as they are, outside the
// isolate that holds the text.
//
// Either it looks like a message box's label (fitAsLabel(): frameless, sized to the whole text),
// or it is a framed area that scrolls a piece at a time with its scroll bar and by pixels with
// the wheel (setScrolling()).

#include <QAbstractScrollArea>
#include <QHash>
#include <QList>
#include <QString>
#include <QTextLayout>

#include <memory>

class PlainTextView : public QAbstractScrollArea {
    Q_OBJECT

public:
    PlainTextView(const QString& text, qsizetype from, qsizetype to, QWidget* parent = nullptr);

    void setSurroundings(const QString& before, const QString& after);

    // Lays the whole text out within room's width; when it fits room's height the view takes
    // the look of a label with these margins, just big enough for the text, and says so.
    bool fitAsLabel(QSize room, QMargins margins);
    // A framed area of this size with a vertical scroll bar.
    void setScrolling(QSize size);

    qsizetype pieceCount() const { return m_starts.size() - 1; }
    // What is drawn for a piece, the program's words included.
    QString shownPiece(qsizetype piece) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTextLayout& layout(qsizetype piece, int width);
    int pieceHeight(qsizetype piece);
    void scrollPixels(int pixels);
    void showPiece(qsizetype piece);

    QString m_text;
    QString m_before;
    QString m_after;
    QList<qsizetype> m_starts; // piece i is m_text[m_starts[i], m_starts[i + 1])
    QHash<qsizetype, std::shared_ptr<QTextLayout>> m_layouts;
    int m_layoutWidth = -1;
    qsizetype m_top = 0; // the piece at the top of the view, m_offset pixels of it above it
    int m_offset = 0;
    bool m_scrolling = false;
};
