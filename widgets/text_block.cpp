#include "text_block.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace fx2 {

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

int clampToInt(qint64 value)
{
    return static_cast<int>(std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max()));
}

bool isBreakChar(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Trimming for wrapped pieces takes away every control character and the space, not the wider
// Unicode notion of white space that QString::trimmed uses.
QString trimControls(QStringView text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first].unicode() <= 32)
        ++first;
    while (last > first && text[last - 1].unicode() <= 32)
        --last;
    return text.sliced(first, last - first).toString();
}

// Breaks line `index` after the last space or tab whose prefix still fits, or at the first one
// when none fits. Returns false for a line without spaces or tabs.
bool breakLine(QStringList& lines, qsizetype index, int boxWidth, const TextMeasurer& measurer)
{
    const QString line = lines[index];
    qsizetype breakAt = 0;
    for (qsizetype k = 1; k <= line.size(); ++k) {
        if (!isBreakChar(line[k - 1]))
            continue;
        const bool fits = measurer.textWidth(line, k) <= boxWidth;
        if (breakAt == 0 || fits)
            breakAt = k;
        if (!fits)
            break;
    }
    if (breakAt == 0)
        return false;
    lines[index] = trimControls(QStringView(line).first(breakAt));
    lines.insert(index + 1, trimControls(QStringView(line).sliced(breakAt)));
    return true;
}

} // namespace

int roundHalfEven(long double x)
{
    if (std::isnan(x))
        return 0;
    constexpr long double lo = std::numeric_limits<int>::min();
    constexpr long double hi = std::numeric_limits<int>::max();
    // The default floating-point rounding mode rounds ties to even.
    return static_cast<int>(std::clamp(std::nearbyint(x), lo, hi));
}

long double degreesToRadians(int degrees)
{
    return static_cast<long double>(degrees) * kPi / 180.0L;
}

QStringList splitLines(const QString& text)
{
    QStringView rest(text);
    if (const qsizetype nul = rest.indexOf(QChar(u'\0')); nul >= 0)
        rest = rest.first(nul);

    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < rest.size(); ++i) {
        const QChar c = rest[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(rest.sliced(start, i - start).toString());
        if (c == u'\r' && i + 1 < rest.size() && rest[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < rest.size())
        lines.append(rest.sliced(start).toString());
    if (lines.isEmpty())
        lines.append(QStringLiteral(" "));
    return lines;
}

int wrapLines(QStringList& lines, int boxWidth, bool wordWrap, const TextMeasurer& measurer,
              QList<int>* widths)
{
    if (widths != nullptr) {
        widths->clear();
        widths->reserve(lines.size());
    }
    int width = 0;
    qsizetype i = 0;
    while (i < lines.size()) {
        const int w = measurer.textWidth(lines[i], lines[i].size());
        // Every break leaves a strictly shorter line behind, so a line is re-measured only
        // finitely often and the loop ends.
        if (w > boxWidth && wordWrap && breakLine(lines, i, boxWidth, measurer))
            continue;
        width = std::max(width, w);
        if (widths != nullptr)
            widths->append(w);
        ++i;
    }
    return width;
}

Offset shadowOffset(int shadowAngle, int shadowDepth)
{
    if (shadowDepth == 0)
        return {};
    const long double radians = degreesToRadians(shadowAngle);
    return {roundHalfEven(std::cos(radians) * shadowDepth),
            clampToInt(-static_cast<qint64>(roundHalfEven(std::sin(radians) * shadowDepth)))};
}

TextBlock layoutTextBlock(const QString& text, int boxWidth, int boxHeight, int angle,
                          bool wordWrap, const TextMeasurer& measurer)
{
    TextBlock block;
    block.lines = splitLines(text);
    block.boxWidth = boxWidth;
    block.boxHeight = boxHeight;
    block.lineHeight = measurer.textHeight(QStringLiteral("Wg"));
    block.width = wrapLines(block.lines, boxWidth, wordWrap, measurer, &block.lineWidths);
    block.height = clampToInt(static_cast<qint64>(block.lines.size()) * block.lineHeight);

    const long double w = block.width;
    const long double h = block.height;
    // Asking whether the font is scalable can cost a font database look-up; an upright block
    // comes out the same either way, so only a rotation asks.
    if (angle != 0 && measurer.isScalable()) {
        const long double radians = degreesToRadians(angle);
        block.angle = angle;
        block.sn = std::sin(radians);
        block.cs = std::cos(radians);
        block.rotatedWidth = roundHalfEven(w * block.cs + h * block.sn);
        block.rotatedHeight = roundHalfEven(w * block.sn - h * block.cs);
    } else {
        block.rotatedWidth = block.width;
        block.rotatedHeight = -block.height;
    }
    return block;
}

QRect measureBox(const TextBlock& block, Offset shadow)
{
    const long double w = block.width;
    const long double h = block.height;
    const int right = roundHalfEven(std::fabs(w * block.cs) + std::fabs(h * block.sn));
    const int bottom = roundHalfEven(std::fabs(w * block.sn) + std::fabs(h * block.cs));
    // Callers read the far edges. A shadow offset at the ends of the int range would carry
    // them past it, and a QRect can neither end beyond the highest int nor start, empty, at
    // the lowest; so the edges are held just inside the range.
    const int left = std::max(shadow.dx, std::numeric_limits<int>::min() + 1);
    const int top = std::max(shadow.dy, std::numeric_limits<int>::min() + 1);
    const int farRight = clampToInt(qint64{left} + right);
    const int farBottom = clampToInt(qint64{top} + bottom);
    return QRect(left, top, farRight - left, farBottom - top);
}

// Where a line's cell goes. Screen y runs down, so a turn by the block's angle counter-clockwise
// sends a step along a line to (cs, -sn) and a step down to the next line to (sn, cs). The
// block's own top-left corner, its origin, is placed first; line `index` starts
// index * lineHeight further down the turned block, and a line shorter than the widest is
// then slid along its own direction by what it lacks (all of it to end flush right, half of it
// to sit centred).
//
// Taken from the origin, the turned block's corners are (0, 0), width * (cs, -sn),
// height * (sn, cs) and their sum. Each edge of its bounding box is the sum of two reaches,
// one per side of the block:
//   left    min(0, width * cs)  + min(0, height * sn)
//   right   max(0, width * cs)  + max(0, height * sn)
//   top     min(0, -width * sn) + min(0, height * cs)
//   bottom  max(0, -width * sn) + max(0, height * cs)
// and its centre lies halfway to the far corner, at (rotatedWidth, -rotatedHeight) / 2.
// Justifying left puts the box's left edge on the area's, right its right edge, a top layout
// its top edge and a bottom layout its bottom edge; centring puts the centre on the area's.
// Each min or max is a term that counts only for one sign of sn or cs, hence the sign tests;
// upright (sn 0, cs 1) every one of them drops out and a line is at its plain offset.
//
// Every product is rounded to a whole pixel on its own, half to even, before it is summed: the
// pixels a caption lands on depend on that order, down to the one-pixel difference between
// halving a rounded slide and rounding a halved one, which the layouts take differently.
QPoint linePosition(const TextBlock& block, int index, int lineWidth, TAlignment alignment,
                    TTextLayout layout)
{
    const long double sn = block.sn;
    const long double cs = block.cs;
    const long double down = static_cast<long double>(index) * block.lineHeight;
    const long double shortfall = static_cast<long double>(block.width) - lineWidth;
    const qint64 boxWidth = block.boxWidth;
    const qint64 boxHeight = block.boxHeight;
    const qint64 rotatedWidth = block.rotatedWidth;
    const qint64 rotatedHeight = block.rotatedHeight;
    const long double width = block.width;
    const long double height = block.height;
    auto pixels = [](long double x) {
        return static_cast<qint64>(roundHalfEven(x));
    };

    // A bottom layout starts from the area's bottom edge moved by rotatedHeight, the y of the
    // far corner negated, and takes the sign terms below; a centred one starts from the middle
    // moved by half of it, which puts the box's centre there already.
    qint64 layoutY = 0;
    if (layout == tlCenter)
        layoutY = (boxHeight + rotatedHeight) / 2;
    else if (layout == tlBottom)
        layoutY = boxHeight + rotatedHeight;

    qint64 x = pixels(down * sn);
    qint64 y = pixels(down * cs) + layoutY;
    switch (alignment) {
    case taLeftJustify:
        // Less the box's left reach.
        if (cs < 0)
            x -= pixels(width * cs);
        if (sn < 0)
            x -= pixels(height * sn);
        break;
    case taRightJustify:
        // The area's right edge less the box's right reach, which is rotatedWidth less the
        // negative terms; then the whole shortfall along the line.
        x += (boxWidth - rotatedWidth) + pixels(shortfall * cs);
        if (cs < 0)
            x += pixels(width * cs);
        if (sn < 0)
            x += pixels(height * sn);
        y -= pixels(shortfall * sn);
        break;
    case taCenter:
        x += (boxWidth - rotatedWidth) / 2 + pixels(shortfall * cs / 2);
        y -= layout == tlCenter ? pixels(shortfall * sn / 2) : pixels(shortfall * sn) / 2;
        break;
    }

    if (layout == tlTop) {
        // Less the box's top reach.
        if (sn > 0)
            y += pixels(width * sn);
        if (cs < 0)
            y -= pixels(height * cs);
    } else if (layout == tlBottom) {
        // The bottom edge less the box's bottom reach, which is -rotatedHeight less the
        // negative terms.
        if (sn > 0)
            y -= pixels(width * sn);
        if (cs < 0)
            y += pixels(height * cs);
    }
    return QPoint(clampToInt(x), clampToInt(y));
}

} // namespace fx2
