#include "display_text.h"

namespace DisplayText {

namespace {

constexpr char32_t zeroWidthSpace = 0x200B;
constexpr char32_t zeroWidthNonJoiner = 0x200C;
constexpr char32_t zeroWidthJoiner = 0x200D;
constexpr char32_t dottedCircle = 0x25CC;
constexpr char32_t firstStrongIsolate = 0x2068;
constexpr char32_t popDirectionalIsolate = 0x2069;

bool isIsolateOpener(char32_t c)
{
    return c >= 0x2066 && c <= 0x2068;
}

bool isLeadingJamo(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0xA960 && c <= 0xA97C);
}

// Whether `c` joins the cluster of the character before it, `previous`. This is the part of
// the grapheme rules whose runs have no length of their own: marks, joiners and what follows
// a joiner, emoji modifiers and tags, and Hangul jamo sequences.
bool continuesCluster(char32_t previous, char32_t c)
{
    return QChar::isMark(c) || c == zeroWidthJoiner || c == zeroWidthNonJoiner ||
           previous == zeroWidthJoiner || (c >= 0x1160 && c <= 0x11FF) ||
           (c >= 0xD7B0 && c <= 0xD7FF) || (c >= 0x1F3FB && c <= 0x1F3FF) ||
           (c >= 0xE0020 && c <= 0xE007F) || (isLeadingJamo(previous) && isLeadingJamo(c));
}

// Visits the code points of `text` with the length of the cluster run each one continues
// (0 for one that starts a cluster).
template <typename Visit> void forEachCodePoint(QStringView text, Visit visit)
{
    char32_t previous = 0;
    int run = 0;
    for (qsizetype i = 0; i < text.size();) {
        char32_t c = text[i].unicode();
        qsizetype width = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            width = 2;
        }
        run = i > 0 && continuesCluster(previous, c) ? run + 1 : 0;
        if (!visit(text.sliced(i, width), c, run)) {
            return;
        }
        previous = c;
        i += width;
    }
}

bool isParagraphBreak(char32_t c)
{
    return QChar::direction(c) == QChar::DirB;
}

} // namespace

void appendDisplayed(QString& out, QStringView text, bool isolate)
{
    out.reserve(out.size() + text.size() + text.size() / clusterLength + 8);
    if (isolate) {
        out += QChar(firstStrongIsolate);
    }
    int openIsolates = 0;
    bool afterCarriageReturn = false;
    forEachCodePoint(text, [&](QStringView unit, char32_t c, int run) {
        const bool lineFeedAfterReturn = afterCarriageReturn && c == u'\n';
        afterCarriageReturn = c == u'\r';
        if (lineFeedAfterReturn) {
            return true;
        }
        if (isParagraphBreak(c)) {
            out += QChar::LineSeparator;
            return true;
        }
        if (isolate && isIsolateOpener(c)) {
            ++openIsolates;
        } else if (isolate && c == popDirectionalIsolate) {
            if (openIsolates == 0) {
                return true;
            }
            --openIsolates;
        }
        // A mark drawn without its base is shown on a dotted circle, as fonts and shapers do;
        // anything else starts a new cluster after an invisible break.
        if (run > 0 && run % clusterLength == 0) {
            out += QChar(QChar::isMark(c) ? dottedCircle : zeroWidthSpace);
        }
        out += unit;
        return true;
    });
    if (isolate) {
        out += QString(openIsolates + 1, QChar(popDirectionalIsolate));
    }
}

QString displayed(QStringView text, bool isolate)
{
    QString out;
    appendDisplayed(out, text, isolate);
    return out;
}

bool hasLongCluster(QStringView text)
{
    bool found = false;
    forEachCodePoint(text, [&](QStringView, char32_t, int run) {
        found = run >= clusterLength;
        return !found;
    });
    return found;
}

} // namespace DisplayText
