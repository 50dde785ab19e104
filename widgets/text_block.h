// Geometry of an effect label's text block, kept apart from painting so it can be checked with
// exact numbers. A caption goes in, is split into lines, wrapped to the box width through a
// TextMeasurer, and comes out as a TextBlock (lines, line height, block size, rotation). From a
// block the painter asks where each line's cell starts (linePosition) and auto-size asks how big
// the rotated, shadow-shifted block is (measureBox). Nothing here draws or touches a widget.
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

namespace fx2 {
Q_NAMESPACE

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

enum TTextLayout { tlTop, tlCenter, tlBottom };
Q_ENUM_NS(TTextLayout)

enum TTextStyle3D : quint8 { tsNormal, tsRaised, tsLowered };
Q_ENUM_NS(TTextStyle3D)

// What the geometry needs to know about a font. The real one wraps QFontMetrics; tests and the
// fuzz harness use fakes with exact widths.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // Width of the first `length` characters of `text`.
    virtual int textWidth(const QString& text, qsizetype length) const = 0;
    virtual int textHeight(const QString& text) const = 0;
    // Outline fonts can be rotated; bitmap fonts are always drawn upright.
    virtual bool isScalable() const = 0;
};

// The integer nearest to x, ties to the even one; saturates at the int range.
int roundHalfEven(long double x);

// Angles are whole degrees, turned into radians with pi to extended precision.
long double degreesToRadians(int degrees);

// Lines end at CR, LF or CR LF; a break at the very end adds no empty line; the text ends at its
// first NUL. An empty text is one line holding a single space, so it still has a height.
QStringList splitLines(const QString& text);

// Breaks over-wide lines in place (when wordWrap is set) and returns the block width: the widest
// line as finally laid out. When `widths` is given it receives each final line's width.
int wrapLines(QStringList& lines, int boxWidth, bool wordWrap, const TextMeasurer& measurer,
              QList<int>* widths = nullptr);

struct Offset {
    int dx = 0;
    int dy = 0;
    friend bool operator==(const Offset&, const Offset&) = default;
};

// Screen offset of the drop shadow; the angle is counter-clockwise from the positive x axis.
Offset shadowOffset(int shadowAngle, int shadowDepth);

struct TextBlock {
    QStringList lines;
    QList<int> lineWidths; // measured width of each line
    int boxWidth = 0;      // width of the area the block is placed in
    int boxHeight = 0;     // height of that area
    int lineHeight = 0;    // height of one line
    int width = 0;         // widest line
    int height = 0;        // lines times line height
    int angle = 0;         // rotation actually applied, degrees counter-clockwise
    long double sn = 0;    // sine of that rotation
    long double cs = 1;    // cosine of that rotation
    // Signed extent of the rotated block; the placement rules depend on the signs.
    int rotatedWidth = 0;
    int rotatedHeight = 0;
};

TextBlock layoutTextBlock(const QString& text, int boxWidth, int boxHeight, int angle,
                          bool wordWrap, const TextMeasurer& measurer);

// The box the rotated block needs, moved by the shadow offset. As with the rectangles of the
// stored forms, what callers read is the far edge: x() + width() and y() + height().
QRect measureBox(const TextBlock& block, Offset shadow);

// Top-left corner of line `index`'s cell relative to the pass origin, for a line `lineWidth`
// wide (normally block.lineWidths[index]). The line is drawn rotated about this corner.
QPoint linePosition(const TextBlock& block, int index, int lineWidth, TAlignment alignment,
                    TTextLayout layout);

} // namespace fx2
