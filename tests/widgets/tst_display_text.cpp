// What is drawn for typed text: each row gives a text and exactly what is drawn for it inside
// an isolate, written with readable stand-ins: F and P for the isolate marks U+2068 and
// U+2069, L and R for U+2066 and U+2067, M for U+0301, J for U+200D, o for the dotted
// circle, z for the zero-width space, n for a line separator.
#include "display_text.h"

#include <QTest>

namespace {

QString decoded(const QString& readable)
{
    static const QHash<QChar, QChar> marks{
        {u'F', QChar(0x2068)}, {u'P', QChar(0x2069)}, {u'L', QChar(0x2066)},
        {u'R', QChar(0x2067)}, {u'M', QChar(0x0301)}, {u'J', QChar(0x200D)},
        {u'o', QChar(0x25CC)}, {u'z', QChar(0x200B)}, {u'n', QChar::LineSeparator}};
    QString text;
    for (QChar c : readable)
        text += marks.value(c, c);
    return text;
}

} // namespace

class TestDisplayText : public QObject {
    Q_OBJECT
private slots:
    void displayed_data();
    void displayed();
};

void TestDisplayText::displayed_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("longCluster");

    const QString marks15 = QString(15, u'M');
    const QString marks16 = marks15 + u'M';
    QTest::newRow("plain") << "ab 12"
                           << "Fab 12P" << false;
    QTest::newRow("closing the isolate first") << "P\u202Eabc"
                                               << "F\u202EabcP" << false;
    QTest::newRow("isolates left open") << "LaRb"
                                        << "FLaRbPPP" << false;
    QTest::newRow("isolate closed inside") << "LaPb"
                                           << "FLaPbP" << false;
    QTest::newRow("line breaks") << "a\r\nb\rc\nd\u2029e"
                                 << "FanbncndneP" << false;
    QTest::newRow("fifteen marks") << "a" + marks15 << "Fa" + marks15 + "P" << false;
    QTest::newRow("sixteen marks") << "a" + marks16 << "Fa" + marks15 + "oMP" << true;
    QTest::newRow("forty marks") << "a" + QString(40, u'M')
                                 << "Fa" + marks15 + "o" + marks16 + "oMMMMMMMMMP" << true;
    const QString supplementary = QString::fromUcs4(U"\U0001D167"); // a mark, two code units
    QTest::newRow("marks beyond the first plane")
        << "a" + supplementary.repeated(20)
        << "Fa" + supplementary.repeated(15) + "o" + supplementary.repeated(5) + "P" << true;
    QTest::newRow("twenty joiners")
        << QString(20, u'J') << "F" + QString(16, u'J') + "zJJJJP" << true;
}

void TestDisplayText::displayed()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(bool, longCluster);
    QCOMPARE(DisplayText::displayed(decoded(text), true), decoded(shown));
    QCOMPARE(DisplayText::hasLongCluster(decoded(text)), longCluster);
}

QTEST_APPLESS_MAIN(TestDisplayText)
#include "tst_display_text.moc"
