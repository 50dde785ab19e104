// Text-block geometry against a fake font whose widths are exact: every letter is 10 pixels
// wide, a space or a tab 5, a line 10 high.
#include "text_block.h"

#include <QTest>
#include <limits>

using namespace fx2;

namespace {

class FakeMeasurer final : public TextMeasurer {
public:
    explicit FakeMeasurer(bool scalable = true) : m_scalable(scalable) {}
    int textWidth(const QString& text, qsizetype length) const override
    {
        int width = 0;
        for (qsizetype i = 0; i < length; ++i)
            width += (text[i] == u' ' || text[i] == u'\t') ? 5 : 10;
        return width;
    }
    int textHeight(const QString&) const override { return 10; }
    bool isScalable() const override { return m_scalable; }

private:
    bool m_scalable;
};

QString withNul(const QString& before, const QString& after)
{
    return before + QChar(u'\0') + after;
}

} // namespace

class TestTextBlock : public QObject {
    Q_OBJECT

private slots:
    void splitLines_data();
    void splitLines();
    void wrap_data();
    void wrap();
    void roundHalfEven_data();
    void roundHalfEven();
    void shadowOffset_data();
    void shadowOffset();
    void block_data();
    void block();
    void measureBoxWithShadow_data();
    void measureBoxWithShadow();
    void placement_data();
    void placement();
};

void TestTextBlock::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("empty text is one space") << QString() << QStringList{" "};
    QTest::newRow("one line") << "abc" << QStringList{"abc"};
    QTest::newRow("CR LF at the end adds nothing") << "VERSION 1.1.3 *FREEWARE*\r\n"
                                                   << QStringList{"VERSION 1.1.3 *FREEWARE*"};
    QTest::newRow("lone CR at the end adds nothing") << "abc\r" << QStringList{"abc"};
    QTest::newRow("CR, LF and CR LF each end a line")
        << "a\rb\nc\r\nd" << QStringList{"a", "b", "c", "d"};
    QTest::newRow("LF CR is two breaks") << "a\n\rb" << QStringList{"a", "", "b"};
    QTest::newRow("blank line kept") << "a\r\n\r\nb" << QStringList{"a", "", "b"};
    QTest::newRow("only a break is one empty line") << "\r\n" << QStringList{""};
    QTest::newRow("two breaks are two empty lines") << "\n\n" << QStringList{"", ""};
    QTest::newRow("NUL ends the text") << withNul("ab", "cd") << QStringList{"ab"};
    QTest::newRow("NUL first leaves the text empty") << withNul("", "cd") << QStringList{" "};
    QTest::newRow("ampersand is plain text") << "A&B" << QStringList{"A&B"};
    QTest::newRow("spaces kept when not wrapping") << "  a  " << QStringList{"  a  "};
}

void TestTextBlock::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(fx2::splitLines(text), lines);
}

void TestTextBlock::wrap_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("boxWidth");
    QTest::addColumn<bool>("wordWrap");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("width");

    const auto row = [](const char* name, const QString& text, int boxWidth, bool wordWrap,
                        const QStringList& lines, int width) {
        QTest::newRow(name) << text << boxWidth << wordWrap << lines << width;
    };
    row("three words, two fit", "aa bb cc", 55, true, {"aa bb", "cc"}, 45);
    row("whole line fits exactly", "aa bb cc", 70, true, {"aa bb cc"}, 70);
    row("no wrap keeps a wide line", "aa bb cc", 20, false, {"aa bb cc"}, 70);
    row("no wrap takes the widest line", "a\nbbb\ncc", 5, false, {"a", "bbb", "cc"}, 30);
    row("word wider than the box stays whole", "aaaaaaa", 30, true, {"aaaaaaa"}, 70);
    row("first word too wide breaks at first space", "aaaa bb", 30, true, {"aaaa", "bb"}, 40);
    row("tab is a break", "aa\tbb", 30, true, {"aa", "bb"}, 20);
    row("run of spaces is trimmed away", "aa   bb", 30, true, {"aa", "bb"}, 20);
    row("breaks after last fitting space", "a b c d", 35, true, {"a b", "c d"}, 25);
    row("breaks again and again", "a b c d", 15, true, {"a", "b", "c", "d"}, 10);
    row("trailing space leaves an empty line", "aa ", 20, true, {"aa", ""}, 20);
    row("leading space kept when the line fits", " a", 100, true, {" a"}, 15);
    row("leading space trimmed when broken", " aaa bbb", 40, true, {"aaa", "bbb"}, 30);
    row("zero-width box", "a b", 0, true, {"a", "b"}, 10);
    row("negative-width box", "a b", -5, true, {"a", "b"}, 10);
    row("each line wraps on its own", "aa bb\ncc", 30, true, {"aa", "bb", "cc"}, 20);
    row("control characters trimmed", "aa \abb", 30, true, {"aa", "bb"}, 20);
    row("no-break space is not trimmed", QString::fromUtf16(u"aa \u00a0bb"), 30, true,
        {"aa", QString::fromUtf16(u"\u00a0bb")}, 30);
}

void TestTextBlock::wrap()
{
    QFETCH(QString, text);
    QFETCH(int, boxWidth);
    QFETCH(bool, wordWrap);
    QFETCH(QStringList, lines);
    QFETCH(int, width);

    QStringList actual = fx2::splitLines(text);
    QCOMPARE(wrapLines(actual, boxWidth, wordWrap, FakeMeasurer()), width);
    QCOMPARE(actual, lines);
}

void TestTextBlock::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded");

    QTest::newRow("2.5 down to even") << 2.5 << 2;
    QTest::newRow("3.5 up to even") << 3.5 << 4;
    QTest::newRow("0.5 to zero") << 0.5 << 0;
    QTest::newRow("-2.5 up to even") << -2.5 << -2;
    QTest::newRow("-3.5 down to even") << -3.5 << -4;
    QTest::newRow("below half") << 2.4999 << 2;
    QTest::newRow("above half") << 2.5001 << 3;
    QTest::newRow("small negative") << -0.4 << 0;
    QTest::newRow("saturates high") << 1e12 << std::numeric_limits<int>::max();
    QTest::newRow("saturates low") << -1e12 << std::numeric_limits<int>::min();
}

void TestTextBlock::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(int, rounded);
    QCOMPARE(fx2::roundHalfEven(value), rounded);
}

void TestTextBlock::shadowOffset_data()
{
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");

    QTest::newRow("315/4 lower right") << 315 << 4 << 3 << 3;
    QTest::newRow("135/4 upper left") << 135 << 4 << -3 << -3;
    QTest::newRow("depth 0 at 315") << 315 << 0 << 0 << 0;
    QTest::newRow("depth 0 at 90") << 90 << 0 << 0 << 0;
    QTest::newRow("0 is right") << 0 << 5 << 5 << 0;
    QTest::newRow("90 is up") << 90 << 5 << 0 << -5;
    QTest::newRow("180 is left") << 180 << 2 << -2 << 0;
    QTest::newRow("270 is down") << 270 << 3 << 0 << 3;
    QTest::newRow("negative depth turns round") << 45 << -4 << -3 << 3;
    QTest::newRow("20/10 rounds each axis") << 20 << 10 << 9 << -3;
}

void TestTextBlock::shadowOffset()
{
    QFETCH(int, angle);
    QFETCH(int, depth);
    QFETCH(int, dx);
    QFETCH(int, dy);
    QCOMPARE(fx2::shadowOffset(angle, depth), (Offset{dx, dy}));
}

void TestTextBlock::block_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("angle");
    QTest::addColumn<bool>("scalable");
    QTest::addColumn<int>("appliedAngle");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("rotatedWidth");
    QTest::addColumn<int>("rotatedHeight");
    QTest::addColumn<QSize>("box");

    const QString text = "aaa\nbb";
    QTest::newRow("upright") << text << 0 << true << 0 << 30 << 20 << 30 << -20 << QSize(30, 20);
    QTest::newRow("90") << text << 90 << true << 90 << 30 << 20 << 20 << 30 << QSize(20, 30);
    QTest::newRow("180") << text << 180 << true << 180 << 30 << 20 << -30 << 20 << QSize(30, 20);
    QTest::newRow("270") << text << 270 << true << 270 << 30 << 20 << -20 << -30 << QSize(20, 30);
    QTest::newRow("45") << text << 45 << true << 45 << 30 << 20 << 35 << 7 << QSize(35, 35);
    QTest::newRow("135") << text << 135 << true << 135 << 30 << 20 << -7 << 35 << QSize(35, 35);
    QTest::newRow("bitmap font at 45 stays upright")
        << text << 45 << false << 0 << 30 << 20 << 30 << -20 << QSize(30, 20);
    QTest::newRow("bitmap font at 135 stays upright")
        << text << 135 << false << 0 << 30 << 20 << 30 << -20 << QSize(30, 20);
    QTest::newRow("empty caption is a space high")
        << QString() << 0 << true << 0 << 5 << 10 << 5 << -10 << QSize(5, 10);
    QTest::newRow("splash line with CR LF")
        << "VERSION 1.1.3\r\n"
        << 0 << false << 0 << 125 << 10 << 125 << -10 << QSize(125, 10);
}

void TestTextBlock::block()
{
    QFETCH(QString, text);
    QFETCH(int, angle);
    QFETCH(bool, scalable);
    QFETCH(int, appliedAngle);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, rotatedWidth);
    QFETCH(int, rotatedHeight);
    QFETCH(QSize, box);

    const TextBlock block = layoutTextBlock(text, 100, 40, angle, false, FakeMeasurer(scalable));
    QCOMPARE(block.angle, appliedAngle);
    QCOMPARE(block.lineHeight, 10);
    QCOMPARE(block.width, width);
    QCOMPARE(block.height, height);
    QCOMPARE(block.rotatedWidth, rotatedWidth);
    QCOMPARE(block.rotatedHeight, rotatedHeight);
    QCOMPARE(measureBox(block, {}), QRect(QPoint(0, 0), box));
}

void TestTextBlock::measureBoxWithShadow_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("boxWidth");
    QTest::addColumn<int>("shadowAngle");
    QTest::addColumn<int>("shadowDepth");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("bottom");

    QTest::newRow("no shadow") << "aaa\nbb" << 100 << 315 << 0 << 30 << 20;
    QTest::newRow("lower right grows") << "aaa\nbb" << 100 << 315 << 4 << 33 << 23;
    QTest::newRow("upper left shrinks") << "aaa\nbb" << 100 << 135 << 4 << 27 << 17;
    QTest::newRow("beyond the text goes negative") << "aaa\nbb" << 100 << 135 << 40 << 2 << -8;
    QTest::newRow("wrapped lines add height") << "aa bb cc" << 55 << 315 << 0 << 45 << 20;
}

void TestTextBlock::measureBoxWithShadow()
{
    QFETCH(QString, text);
    QFETCH(int, boxWidth);
    QFETCH(int, shadowAngle);
    QFETCH(int, shadowDepth);
    QFETCH(int, right);
    QFETCH(int, bottom);

    const TextBlock block = layoutTextBlock(text, boxWidth, 17, 0, true, FakeMeasurer());
    const QRect box = measureBox(block, fx2::shadowOffset(shadowAngle, shadowDepth));
    QCOMPARE(box.x() + box.width(), right);
    QCOMPARE(box.y() + box.height(), bottom);
}

void TestTextBlock::placement_data()
{
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("boxWidth");
    QTest::addColumn<TAlignment>("alignment");
    QTest::addColumn<TTextLayout>("layout");
    QTest::addColumn<int>("lineWidth");
    QTest::addColumn<QPoint>("cell");

    // The block is two lines, 30 wide and 10 high each, in a 100 x 40 box; the rows give where
    // the second line's cell starts when that line is 25 wide.
    struct Row {
        int angle;
        TAlignment alignment;
        TTextLayout layout;
        QPoint cell;
    };
    const Row rows[] = {
        {0, taLeftJustify, tlTop, {0, 10}},
        {0, taLeftJustify, tlCenter, {0, 20}},
        {0, taLeftJustify, tlBottom, {0, 30}},
        {0, taRightJustify, tlTop, {75, 10}},
        {0, taRightJustify, tlCenter, {75, 20}},
        {0, taRightJustify, tlBottom, {75, 30}},
        {0, taCenter, tlTop, {37, 10}},
        {0, taCenter, tlCenter, {37, 20}},
        {0, taCenter, tlBottom, {37, 30}},

        {90, taLeftJustify, tlTop, {10, 30}},
        {90, taLeftJustify, tlCenter, {10, 35}},
        {90, taLeftJustify, tlBottom, {10, 40}},
        {90, taRightJustify, tlTop, {90, 25}},
        {90, taRightJustify, tlCenter, {90, 30}},
        {90, taRightJustify, tlBottom, {90, 35}},
        {90, taCenter, tlTop, {50, 28}},
        {90, taCenter, tlCenter, {50, 33}},
        {90, taCenter, tlBottom, {50, 38}},

        {180, taLeftJustify, tlTop, {30, 10}},
        {180, taLeftJustify, tlCenter, {30, 20}},
        {180, taLeftJustify, tlBottom, {30, 30}},
        {180, taRightJustify, tlTop, {95, 10}},
        {180, taRightJustify, tlCenter, {95, 20}},
        {180, taRightJustify, tlBottom, {95, 30}},
        {180, taCenter, tlTop, {63, 10}},
        {180, taCenter, tlCenter, {63, 20}},
        {180, taCenter, tlBottom, {63, 30}},

        {270, taLeftJustify, tlTop, {10, 0}},
        {270, taLeftJustify, tlCenter, {10, 5}},
        {270, taLeftJustify, tlBottom, {10, 10}},
        {270, taRightJustify, tlTop, {90, 5}},
        {270, taRightJustify, tlCenter, {90, 10}},
        {270, taRightJustify, tlBottom, {90, 15}},
        {270, taCenter, tlTop, {50, 2}},
        {270, taCenter, tlCenter, {50, 7}},
        {270, taCenter, tlBottom, {50, 12}},
    };
    const char* alignmentNames[] = {"left", "right", "centre"};
    const char* layoutNames[] = {"top", "centre", "bottom"};
    for (const Row& row : rows) {
        QTest::addRow("%d %s %s", row.angle, alignmentNames[row.alignment], layoutNames[row.layout])
            << row.angle << 100 << row.alignment << row.layout << 25 << row.cell;
    }
    // Half a pixel of spare width rounds to even, and a block wider than the box by an odd
    // amount moves left by the truncated half.
    const auto centred = [](const char* name, int angle, int boxWidth, TTextLayout layout,
                            int lineWidth, QPoint cell) {
        QTest::newRow(name) << angle << boxWidth << taCenter << layout << lineWidth << cell;
    };
    centred("centre rounding in a narrow box", 0, 27, tlTop, 25, {1, 10});
    centred("centre 3.5 rounds up", 0, 100, tlTop, 23, {39, 10});
    // Top and bottom halve the rounded shift, centre rounds the halved one: 3 spare pixels
    // give 1 and 2.
    centred("90 centre top odd spare", 90, 100, tlTop, 27, {50, 29});
    centred("90 centre centre odd spare", 90, 100, tlCenter, 27, {50, 33});
    centred("90 centre bottom odd spare", 90, 100, tlBottom, 27, {50, 39});
    centred("270 centre top odd spare", 270, 100, tlTop, 27, {50, 1});
    centred("270 centre centre odd spare", 270, 100, tlCenter, 27, {50, 7});
    centred("270 centre bottom odd spare", 270, 100, tlBottom, 27, {50, 11});
}

void TestTextBlock::placement()
{
    QFETCH(int, angle);
    QFETCH(int, boxWidth);
    QFETCH(TAlignment, alignment);
    QFETCH(TTextLayout, layout);
    QFETCH(int, lineWidth);
    QFETCH(QPoint, cell);

    const TextBlock block = layoutTextBlock("aaa\naaa", boxWidth, 40, angle, false, FakeMeasurer());
    QCOMPARE(block.width, 30);
    QCOMPARE(linePosition(block, 1, lineWidth, alignment, layout), cell);
}

QTEST_APPLESS_MAIN(TestTextBlock)
#include "tst_text_block.moc"
