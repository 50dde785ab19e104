#include "integer_text.h"

#include <QTest>

#include <limits>

namespace {

std::string_view view(const QByteArray& bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

constexpr int minInt = std::numeric_limits<std::int32_t>::min();
constexpr int maxInt = std::numeric_limits<std::int32_t>::max();

} // namespace

class TestIntegerText : public QObject {
    Q_OBJECT

private slots:
    void accepted_data();
    void accepted();
    void rejected_data();
    void rejected();
};

void TestIntegerText::accepted_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("value");

    QTest::newRow("zero") << QByteArray("0") << 0;
    QTest::newRow("minus zero") << QByteArray("-0") << 0;
    QTest::newRow("plus zero") << QByteArray("+0") << 0;
    QTest::newRow("plain") << QByteArray("50") << 50;
    QTest::newRow("plus sign") << QByteArray("+50") << 50;
    QTest::newRow("minus sign") << QByteArray("-50") << -50;
    QTest::newRow("leading zero is not octal") << QByteArray("010") << 10;
    QTest::newRow("leading spaces") << QByteArray("   -5") << -5;
    QTest::newRow("largest") << QByteArray("2147483647") << maxInt;
    QTest::newRow("largest with plus") << QByteArray("+2147483647") << maxInt;
    QTest::newRow("smallest") << QByteArray("-2147483648") << minInt;
    QTest::newRow("leading zeros do not count") << QByteArray("-0000000000002147483648") << minInt;
    QTest::newRow("dollar") << QByteArray("$32") << 50;
    QTest::newRow("x") << QByteArray("x1f") << 31;
    QTest::newRow("X") << QByteArray("X1F") << 31;
    QTest::newRow("0x") << QByteArray("0x10") << 16;
    QTest::newRow("0X") << QByteArray("0XaB") << 171;
    QTest::newRow("hex zero") << QByteArray("0x0") << 0;
    QTest::newRow("hex after spaces") << QByteArray("  $A") << 10;
    QTest::newRow("hex largest positive") << QByteArray("$7FFFFFFF") << maxInt;
    QTest::newRow("hex sign bit") << QByteArray("$80000000") << minInt;
    QTest::newRow("eight F are -1") << QByteArray("$FFFFFFFF") << -1;
    QTest::newRow("eight f are -1") << QByteArray("0xffffffff") << -1;
    QTest::newRow("hex leading zeros do not count") << QByteArray("$0000000FFFFFFFE") << -2;
}

void TestIntegerText::accepted()
{
    QFETCH(QByteArray, text);
    QFETCH(int, value);

    QCOMPARE(parseInteger(view(text)), value);
}

void TestIntegerText::rejected_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("message");

    const auto row = [](const char* name, const QByteArray& text) {
        QTest::newRow(name) << text << "'" + text + "' is not a valid integer value";
    };
    QTest::newRow("letters") << QByteArray("abc")
                             << QByteArray("'abc' is not a valid integer value");
    QTest::newRow("empty") << QByteArray() << QByteArray("'' is not a valid integer value");
    QTest::newRow("Cyrillic kept as typed")
        << QByteArray("пятьдесят") << QByteArray("'пятьдесят' is not a valid integer value");
    row("spaces only", "   ");
    row("plus alone", "+");
    row("minus alone", "-");
    row("dollar alone", "$");
    row("x alone", "x");
    row("0x alone", "0x");
    row("0X after spaces", "  0X");
    row("above largest", "2147483648");
    row("below smallest", "-2147483649");
    row("far too large", "99999999999999999999999");
    row("nine hex digits", "$100000000");
    row("nine hex digits with 0x", "0x1FFFFFFFF");
    row("trailing space", "5 ");
    row("trailing tab", "5\t");
    row("leading tab", "\t5");
    row("leading no-break space", "\u00A05");
    row("space after sign", "- 5");
    row("two signs", "--5");
    row("sign before dollar", "-$5");
    row("sign before 0x", "+0x5");
    row("sign after dollar", "$-1");
    row("space after prefix", "$ 1");
    row("not a hex digit", "$1G");
    row("hex letter in decimal", "12a");
    row("decimal point", "1.0");
    row("exponent", "1e3");
    row("prefix after digit", "00x5");
    row("full-width digits", "５０");
    row("Arabic-Indic digit", "٥");
}

void TestIntegerText::rejected()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, message);

    try {
        parseInteger(view(text));
        QFAIL("no ConversionError");
    } catch (const ConversionError& error) {
        QCOMPARE(QByteArray(error.what()), message);
    }
}

QTEST_APPLESS_MAIN(TestIntegerText)
#include "test_integer_text.moc"
