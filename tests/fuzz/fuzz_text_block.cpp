// Fuzzes the effect label's text-block geometry with a fake font: random captions (CR, LF,
// tabs, spaces, NUL, control characters, long words, Cyrillic, lone surrogates), box sizes,
// angles, shadow settings, alignments, layouts and word wrap.
//
// Besides what the sanitizers catch, every input checks that
// - the caption splits into the same lines as a plain split written here;
// - wrapping gives the lines of a plain wrap written here, keeps every visible character in
//   order, adds at most one line per space or tab, and leaves no line wider than the box
//   unless it has nowhere to break;
// - the block's width, height and kept line widths are those of its lines;
// - upright, the measured box is the block shifted by the shadow, and a block placed in the
//   box it asked for (as auto-size does) keeps every line inside it; its shadow too, for the
//   alignment and layout that put the shadow's room on the far sides;
// - upright placement matches the closed form of each alignment and layout;
// - laying the caption out again at the measured width never makes it wider than the box.
// A wrap that never ends shows up as a libFuzzer timeout.

#include "text_block.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

using namespace fx2;

namespace {

struct Case {
    QString caption;
    int boxWidth = 0;
    int boxHeight = 0;
    int angle = 0;
    int shadowAngle = 315;
    int shadowDepth = 0;
    TAlignment alignment = taLeftJustify;
    TTextLayout layout = tlTop;
    bool wordWrap = false;
};

const Case* g_case = nullptr;

QByteArray printable(const QString& text)
{
    QByteArray out;
    for (QChar c : text) {
        if (c.unicode() >= 32 && c.unicode() < 127 && c != u'\\') {
            out += static_cast<char>(c.unicode());
        } else {
            out += QByteArray("\\u") + QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
        }
    }
    return out;
}

[[noreturn]] void fail(const char* what, long long detail = 0)
{
    if (g_case) {
        std::fprintf(stderr,
                     "caption \"%s\"\nbox %d x %d, angle %d, shadow %d/%d, alignment %d, "
                     "layout %d, word wrap %d\n",
                     printable(g_case->caption).constData(), g_case->boxWidth, g_case->boxHeight,
                     g_case->angle, g_case->shadowAngle, g_case->shadowDepth,
                     int(g_case->alignment), int(g_case->layout), int(g_case->wordWrap));
    }
    std::fprintf(stderr, "%s (%lld)\n", what, detail);
    std::abort();
}

void require(bool condition, const char* what, long long detail = 0)
{
    if (!condition) {
        fail(what, detail);
    }
}

// A font whose characters have fixed, non-negative widths taken from the input; the width of
// a piece of text is the sum of its characters' widths, saturating at the int range like a
// real font's advance would have to.
class FakeMeasurer final : public TextMeasurer {
public:
    FakeMeasurer(std::array<int, 8> widths, int lineHeight, bool scalable)
        : m_widths(widths), m_lineHeight(lineHeight), m_scalable(scalable)
    {}

    int textWidth(const QString& text, qsizetype length) const override
    {
        require(length >= 0 && length <= text.size(), "width asked beyond the text", length);
        return width(QStringView(text).first(length));
    }
    int textHeight(const QString&) const override { return m_lineHeight; }
    bool isScalable() const override { return m_scalable; }

    int width(QStringView text) const
    {
        long long sum = 0;
        for (QChar c : text) {
            sum += m_widths[c.unicode() % m_widths.size()];
        }
        return static_cast<int>(std::min<long long>(sum, std::numeric_limits<int>::max()));
    }

private:
    std::array<int, 8> m_widths;
    int m_lineHeight;
    bool m_scalable;
};

// Bytes below 128 stand for themselves, so seeds can be written as plain text; the others
// pick characters an ASCII text never has.
QString captionFrom(const std::string& bytes)
{
    static constexpr char16_t others[] = {
        0x00A0, // no-break space: not a break character
        0x0416, // Cyrillic capital Zhe
        0x0451, // Cyrillic small io
        0x3000, // ideographic space
        0x200B, // zero-width space
        0xD83D, // a high surrogate without its low half
        0xDE00, // a low surrogate on its own
        0xFFFF,
    };
    QString caption;
    caption.reserve(static_cast<qsizetype>(bytes.size()));
    for (unsigned char b : bytes) {
        caption += b < 128 ? QChar(b) : QChar(others[b % std::size(others)]);
    }
    return caption;
}

// Lines end at CR, LF or CR LF and the text at its first NUL; a final break adds no line and
// an empty text is one space.
QStringList plainSplit(const QString& caption)
{
    const qsizetype nul = caption.indexOf(QChar(u'\0'));
    QString text = nul < 0 ? caption : caption.left(nul);
    if (text.isEmpty()) {
        return {QStringLiteral(" ")};
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    if (text.endsWith(u'\n')) {
        lines.removeLast();
    }
    return lines;
}

// Trimming takes away the characters with codes 0 to 32 at both ends.
QString trimmedControls(QString text)
{
    while (!text.isEmpty() && text.front().unicode() <= 32) {
        text.remove(0, 1);
    }
    while (!text.isEmpty() && text.back().unicode() <= 32) {
        text.chop(1);
    }
    return text;
}

// Word wrap as the rule reads: a line wider than the box breaks after the last space or tab
// whose prefix (that character included) still fits, or at the first one when none fits;
// both halves are trimmed and the first is measured again.
QStringList plainWrap(QStringList lines, int boxWidth, const FakeMeasurer& measurer)
{
    qsizetype i = 0;
    while (i < lines.size()) {
        const QString line = lines[i];
        qsizetype breakAt = 0;
        if (measurer.width(line) > boxWidth) {
            for (qsizetype k = 1; k <= line.size(); ++k) {
                if (line[k - 1] != u' ' && line[k - 1] != u'\t') {
                    continue;
                }
                const bool fits = measurer.width(line.left(k)) <= boxWidth;
                if (breakAt == 0 || fits) {
                    breakAt = k;
                }
                if (!fits) {
                    break;
                }
            }
        }
        if (breakAt == 0) {
            ++i;
            continue;
        }
        lines[i] = trimmedControls(line.left(breakAt));
        lines.insert(i + 1, trimmedControls(line.mid(breakAt)));
    }
    return lines;
}

QString visibleCharacters(const QStringList& lines)
{
    QString visible;
    for (const QString& line : lines) {
        for (QChar c : line) {
            if (c.unicode() > 32) {
                visible += c;
            }
        }
    }
    return visible;
}

qsizetype breakCharacters(const QStringList& lines)
{
    qsizetype count = 0;
    for (const QString& line : lines) {
        count += line.count(u' ') + line.count(u'\t');
    }
    return count;
}

bool hasBreakCharacter(const QString& line)
{
    return line.contains(u' ') || line.contains(u'\t');
}

void checkLines(const Case& c, const TextBlock& block, const FakeMeasurer& measurer)
{
    const QStringList split = plainSplit(c.caption);
    require(!block.lines.isEmpty(), "a block without lines");
    if (!c.wordWrap) {
        require(block.lines == split, "lines differ from a plain split");
    } else {
        require(block.lines.size() >= split.size(), "wrapping lost lines");
        require(block.lines.size() <= split.size() + breakCharacters(split),
                "more lines than spaces and tabs to break at", block.lines.size());
        require(block.lines == plainWrap(split, c.boxWidth, measurer),
                "lines differ from a plain wrap");
        require(visibleCharacters(block.lines) == visibleCharacters(split),
                "wrapping lost, added or reordered visible characters");
        for (const QString& line : block.lines) {
            require(measurer.width(line) <= c.boxWidth || !hasBreakCharacter(line),
                    "a wrapped line is wider than the box though it could break",
                    measurer.width(line));
        }
    }

    require(block.lineWidths.size() == block.lines.size(), "a width for every line",
            block.lineWidths.size());
    int widest = 0;
    for (qsizetype i = 0; i < block.lines.size(); ++i) {
        const int width = measurer.width(block.lines[i]);
        require(block.lineWidths[i] == width, "a line's kept width is not its measured width",
                block.lineWidths[i]);
        widest = std::max(widest, width);
    }
    require(block.width == widest, "block width is not the widest line", block.width);
    const long long height = static_cast<long long>(block.lines.size()) * block.lineHeight;
    require(block.height == std::min<long long>(height, std::numeric_limits<int>::max()),
            "block height is not lines times line height", block.height);
}

// The whole placement stays well inside int; beyond that the geometry saturates and the
// exact checks below do not apply.
bool fitsComfortably(long long value)
{
    return value > -(1LL << 29) && value < (1LL << 29);
}

void checkUprightPlacement(const Case& c, const TextBlock& block, const FakeMeasurer& measurer,
                           Offset shadow)
{
    const QRect box = measureBox(block, shadow);
    require(box == QRect(shadow.dx, shadow.dy, block.width, block.height),
            "upright, the measured box is not the block moved by the shadow");
    if (shadow.dx < 0 || shadow.dy < 0) {
        return; // the box shrinks with a shadow toward the upper left; nothing to contain
    }

    // Auto-size makes the box the label's new size and paints the same lines into it.
    TextBlock placed = block;
    placed.boxWidth = box.x() + box.width();
    placed.boxHeight = box.y() + box.height();
    const long long bw = placed.boxWidth;
    const long long bh = placed.boxHeight;
    const long long lh = block.lineHeight;
    for (qsizetype i = 0; i < placed.lines.size(); ++i) {
        const long long lw = measurer.width(placed.lines[i]);
        const QPoint at =
            linePosition(placed, static_cast<int>(i), static_cast<int>(lw), c.alignment, c.layout);
        const long long d = i * lh;
        const long long spare = block.width - lw;
        long long x = 0;
        long long y = d;
        switch (c.alignment) {
        case taLeftJustify:
            break;
        case taRightJustify:
            x = bw - lw;
            break;
        case taCenter:
            // Half of an odd spare width is a tie, which goes to the even neighbour.
            x = (bw - block.width) / 2 + (spare / 2 + ((spare % 2) && ((spare / 2) % 2) ? 1 : 0));
            break;
        }
        if (c.layout == tlCenter) {
            y += (bh - block.height) / 2;
        } else if (c.layout == tlBottom) {
            y += bh - block.height;
        }
        require(at.x() == x, "upright x differs from the closed form", at.x());
        require(at.y() == y, "upright y differs from the closed form", at.y());

        require(x >= 0 && x + lw <= bw, "a line sticks out of its measured box sideways", x);
        require(y >= 0 && y + lh <= bh, "a line sticks out of its measured box vertically", y);
        if (c.alignment == taLeftJustify) {
            require(x + shadow.dx + lw <= bw, "a shadow line sticks out on the right", x);
        }
        if (c.layout == tlTop) {
            require(y + shadow.dy + lh <= bh, "a shadow line sticks out at the bottom", y);
        }
    }

    // Painting lays the caption out again at the new width. Every line that is left wider
    // than the box is a single word, and each word already fitted in the measured width.
    const TextBlock again =
        layoutTextBlock(c.caption, placed.boxWidth, placed.boxHeight, 0, c.wordWrap, measurer);
    require(again.width <= placed.boxWidth, "laid out at its measured width, the block is wider",
            again.width);
}

// Whatever the angle, every placement and measurement must come out without undefined
// behaviour; the sanitizers watch these calls.
void exerciseEveryPlacement(const TextBlock& block, const FakeMeasurer& measurer, Offset shadow)
{
    const QRect box = measureBox(block, shadow);
    require(box.width() >= 0 && box.height() >= 0, "a measured box of negative size");
    for (qsizetype i = 0; i < block.lines.size(); ++i) {
        const int lw = measurer.width(block.lines[i]);
        for (TAlignment alignment : {taLeftJustify, taRightJustify, taCenter}) {
            for (TTextLayout layout : {tlTop, tlCenter, tlBottom}) {
                (void)linePosition(block, static_cast<int>(i), lw, alignment, layout);
            }
        }
    }
}

// Any int, with the ends of the range and the neighbours of zero as likely as the rest.
int extremeInt(FuzzedDataProvider& input)
{
    static constexpr int notable[] = {
        std::numeric_limits<int>::min(),     std::numeric_limits<int>::min() + 1, -1, 0, 1,
        std::numeric_limits<int>::max() - 1, std::numeric_limits<int>::max()};
    return input.ConsumeBool() ? input.PickValueInArray(notable) : input.ConsumeIntegral<int>();
}

int angleFrom(FuzzedDataProvider& input, bool anyInt)
{
    if (anyInt && input.ConsumeBool()) {
        return extremeInt(input);
    }
    // Right angles and their neighbours are where the sign tests flip.
    static constexpr int notable[] = {0,   1,   44,  45,  89,  90,  91,  135, 179,
                                      180, 181, 225, 269, 270, 271, 315, 359};
    return input.ConsumeBool() ? input.PickValueInArray(notable)
                               : input.ConsumeIntegralInRange(0, 359);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string captionBytes = input.ConsumeRandomLengthString(4096);

    // Extreme mode reaches for the edges of int; ordinary mode stays where exact checks hold.
    const bool extreme = input.ConsumeIntegralInRange(0, 15) == 0;
    const int maxCharWidth = extreme ? (1 << 28) : 40;
    std::array<int, 8> widths{};
    // Characters without width make blocks without width.
    const bool widthless = input.ConsumeIntegralInRange(0, 7) == 0;
    for (int& w : widths) {
        w = widthless ? 0 : input.ConsumeIntegralInRange(0, maxCharWidth);
    }
    const int lineHeight = input.ConsumeIntegralInRange(0, extreme ? (1 << 28) : 40);
    const FakeMeasurer measurer(widths, lineHeight, input.ConsumeBool());

    Case c;
    c.caption = captionFrom(captionBytes);
    c.boxWidth = extreme ? extremeInt(input) : input.ConsumeIntegralInRange(-20, 2000);
    c.boxHeight = extreme ? extremeInt(input) : input.ConsumeIntegralInRange(-20, 2000);
    c.angle = angleFrom(input, extreme);
    c.shadowAngle = angleFrom(input, extreme);
    c.shadowDepth = extreme ? extremeInt(input) : input.ConsumeIntegralInRange(-200, 200);
    c.alignment = static_cast<TAlignment>(input.ConsumeIntegralInRange(0, 2));
    c.layout = static_cast<TTextLayout>(input.ConsumeIntegralInRange(0, 2));
    c.wordWrap = input.ConsumeBool();
    g_case = &c;

    const TextBlock block =
        layoutTextBlock(c.caption, c.boxWidth, c.boxHeight, c.angle, c.wordWrap, measurer);
    checkLines(c, block, measurer);
    const Offset shadow = shadowOffset(c.shadowAngle, c.shadowDepth);
    exerciseEveryPlacement(block, measurer, shadow);

    const TextBlock upright =
        layoutTextBlock(c.caption, c.boxWidth, c.boxHeight, 0, c.wordWrap, measurer);
    require(upright.rotatedWidth == upright.width && upright.rotatedHeight == -upright.height,
            "upright, the rotated extent is not the block's");
    if (fitsComfortably(upright.width) && fitsComfortably(upright.height) &&
        fitsComfortably(shadow.dx) && fitsComfortably(shadow.dy)) {
        checkUprightPlacement(c, upright, measurer, shadow);
    }
    g_case = nullptr;
    return 0;
}
