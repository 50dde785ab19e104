#include "question_catalogue.h"
#include "survey_figures.h"
#include "survey_model.h"

#include <QTest>

#include <map>
#include <set>
#include <utility>

namespace {

QByteArray bytes(std::string_view text)
{
    return {text.data(), static_cast<qsizetype>(text.size())};
}

bool oddlySpaced(std::string_view text)
{
    return text.empty() || text.front() == ' ' || text.back() == ' ' ||
           text.find("  ") != std::string_view::npos;
}

} // namespace

class TestQuestionCatalogue : public QObject {
    Q_OBJECT

private slots:
    void answerCounts();
    void oddTexts_data();
    void oddTexts();
    void noOtherStraySpaces();
    void weights_data();
    void weights();
    void exhaustiveAgainstPlainDouble();
};

void TestQuestionCatalogue::answerCounts()
{
    QCOMPARE(QuestionCatalogue::questionCount, 7);
    const int expected[] = {6, 5, 5, 5, 5, 5, 4};
    for (int q = 1; q <= 7; ++q) {
        QCOMPARE(QuestionCatalogue::answerCount(q), expected[q - 1]);
    }
}

void TestQuestionCatalogue::oddTexts_data()
{
    QTest::addColumn<int>("question");
    QTest::addColumn<int>("position");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("double space")
        << 1 << 1 << QByteArray("Другие люди (кроме  одного данного) Вас особо не привлекают.");
    QTest::newRow("yo in 2.4") << 2 << 4 << QByteArray("Похожее на влюблённость");
    QTest::newRow("yo in 2.5") << 2 << 5 << QByteArray("Нескрываемая влюблённость");
    QTest::newRow("trailing space 3.2") << 3 << 2 << QByteArray("Очень немного. ");
    QTest::newRow("trailing space 4.2") << 4 << 2 << QByteArray("Скорее нет. ");
    QTest::newRow("trailing space 5.2") << 5 << 2 << QByteArray("Скорее нет. ");
    QTest::newRow("trailing space 6.2") << 6 << 2 << QByteArray("Скорее нет. ");
    QTest::newRow("6.5 differs from 5.5") << 6 << 5 << QByteArray("Просто восхищало.");
    QTest::newRow("no space after comma")
        << 7 << 1 << QByteArray("Скорее неприятной,чем приятной.");
    QTest::newRow("trailing space 7.2") << 7 << 2 << QByteArray("Среднее. ");
}

void TestQuestionCatalogue::oddTexts()
{
    QFETCH(int, question);
    QFETCH(int, position);
    QFETCH(QByteArray, text);

    QCOMPARE(bytes(QuestionCatalogue::answerText(question, position)), text);
}

void TestQuestionCatalogue::noOtherStraySpaces()
{
    std::set<std::pair<int, int>> odd;
    for (int q = 1; q <= 7; ++q) {
        QVERIFY2(!oddlySpaced(QuestionCatalogue::text(q)), qPrintable(QString::number(q)));
        for (int pos = 1; pos <= QuestionCatalogue::answerCount(q); ++pos) {
            if (oddlySpaced(QuestionCatalogue::answerText(q, pos))) {
                odd.insert({q, pos});
            }
        }
    }
    const std::set<std::pair<int, int>> expected{{1, 1}, {3, 2}, {4, 2}, {5, 2}, {6, 2}, {7, 2}};
    QVERIFY(odd == expected);
}

void TestQuestionCatalogue::weights_data()
{
    QTest::addColumn<int>("question");
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("weight");
    QTest::addColumn<int>("percent");

    const auto row = [](int q, int pos, double weight, int percent) {
        QTest::addRow("%d.%d", q, pos) << q << pos << weight << percent;
    };
    row(1, 1, 0.74, 74);
    row(1, 2, 0.40, 40);
    row(1, 3, 0.34, 34);
    row(1, 4, 0.40, 40);
    row(1, 5, 0.52, 52);
    row(1, 6, 0.74, 74);
    row(2, 1, 0.12, 12);
    row(2, 2, 0.52, 52);
    row(2, 3, 0.58, 57);
    row(2, 4, 0.83, 83);
    row(2, 5, 0.60, 60);
    row(3, 1, 0.05, 5);
    row(3, 2, 0.22, 22);
    row(3, 3, 0.59, 59);
    row(3, 4, 0.65, 65);
    row(3, 5, 1.0, 100);
    row(4, 1, 0.11, 11);
    row(4, 2, 0.71, 71);
    row(4, 3, 0.52, 52);
    row(4, 4, 0.82, 82);
    row(4, 5, 1.0, 100);
    row(5, 1, 0.10, 10);
    row(5, 2, 0.15, 15);
    row(5, 3, 0.49, 49);
    row(5, 4, 0.78, 78);
    row(5, 5, 1.0, 100);
    row(6, 1, 0.10, 10);
    row(6, 2, 0.29, 28);
    row(6, 3, 0.45, 45);
    row(6, 4, 0.79, 79);
    row(6, 5, 1.0, 100);
    row(7, 1, 0.25, 25);
    row(7, 2, 0.35, 35);
    row(7, 3, 0.48, 48);
    row(7, 4, 0.83, 83);
}

// The shown percentage truncates weight x 100 (0.58 gives 57.99999999999999, so 57%), and
// the trip through percent and back leaves the recorded weight as it was.
void TestQuestionCatalogue::weights()
{
    QFETCH(int, question);
    QFETCH(int, position);
    QFETCH(double, weight);
    QFETCH(int, percent);

    QVERIFY(QuestionCatalogue::weight(question, position) == weight);

    SurveyModel model;
    model.selectQuestion(question);
    model.answerToggled(position);
    QVERIFY(model.weight(question) == weight);
    QCOMPARE(model.computeResults().percent.at(question - 1), percent);
    QVERIFY(model.weight(question) == weight);
}

// Across every combination of the catalogue's answers, type 2 and the percentages are what
// plain double arithmetic gives, and type 1 differs from it in 354. Among the figures shown:
// 1114141 and 1232414 are ties of 5.5 and 32.5, where plain double gives 5 % and 33 %.
void TestQuestionCatalogue::exhaustiveAgainstPlainDouble()
{
    const std::map<std::string, std::pair<int, int>> shown{
        {"1111111", {3, 21}}, {"1114141", {6, 41}}, {"1232414", {32, 61}}, {"1455554", {77, 91}}};
    int differing = 0;
    const std::vector<std::string> combinations = allAnswerCombinations();
    for (const std::string& positions : combinations) {
        std::array<double, 7> w{};
        for (std::size_t k = 0; k < 7; ++k) {
            w[k] = QuestionCatalogue::weight(int(k) + 1, positions[k] - '0');
        }
        SurveyModel model;
        QuestionnaireDriver(model).answerAll(positions);
        QVERIFY(model.resultsAvailable());
        const SurveyResults results = model.computeResults();

        if (results.type1 != plainDoubleType1(w)) {
            ++differing;
        }
        if (const auto figures = shown.find(positions); figures != shown.end()) {
            QCOMPARE(std::pair(results.type1, results.type2), figures->second);
        }
        QCOMPARE(results.type2, plainDoubleType2(w));
        for (std::size_t k = 0; k < 7; ++k) {
            QCOMPARE(results.percent[k], int(w[k] * 100));
        }
    }
    QCOMPARE(combinations.size(), std::size_t{75000});
    QCOMPARE(differing, 354);
}

QTEST_APPLESS_MAIN(TestQuestionCatalogue)
#include "test_question_catalogue.moc"
