#include "integer_text.h"
#include "question_catalogue.h"
#include "questionnaire_driver.h"
#include "survey_figures.h"
#include "survey_model.h"

#include <QList>
#include <QTest>

#include <cmath>

namespace {

QList<double> weights(const SurveyModel& model)
{
    QList<double> result;
    for (int q = 1; q <= 7; ++q) {
        result.append(model.weight(q));
    }
    return result;
}

QString marks(const SurveyModel& model)
{
    QString result;
    for (int q = 1; q <= 7; ++q) {
        result.append(model.isCurrent(q) ? u'1' : u'0');
    }
    return result;
}

QList<int> percents(const SurveyResults& results)
{
    return QList<int>(results.percent.begin(), results.percent.end());
}

// The percentages as plain double arithmetic would give them, every operation rounded to
// double at once (lrint rounds ties to even in the default rounding mode).
long plainDoubleType1(std::array<double, 7> w)
{
    for (double& x : w) {
        x = x * 100 / 100;
    }
    const double p = (w[0] + w[2] + w[3] + w[4] + w[5] + w[6]) / 6 * w[1];
    return std::lrint(p * 100);
}

// A model recording `weights` for `positions`, or the catalogue's weights when none are given.
SurveyModel modelFor(const QString& positions, const QList<double>& weights)
{
    if (weights.isEmpty()) {
        return SurveyModel();
    }
    std::array<double, 7> recorded{};
    std::copy(weights.begin(), weights.end(), recorded.begin());
    return SurveyModel(weightsFor(positions.toStdString(), recorded));
}

long plainDoubleType2(const std::array<double, 7>& w)
{
    const double p = (w[0] + w[2] + w[3] + w[4] + w[5] + w[6] + w[1]) / 7;
    return std::lrint(p * 100);
}

} // namespace

class TestSurveyModel : public QObject {
    Q_OBJECT

private slots:
    void recording_data();
    void recording();
    void results_data();
    void results();
    void mutual_data();
    void mutual();
    void exhaustiveAgainstPlainDouble();
    void portableArithmeticMatchesX87();
    void computingTwiceGivesTheSameNumbers();
    void withoutMarksCurrentProbabilityKeepsP();
    void badPartnerTextChangesNothing();
};

void TestSurveyModel::recording_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QList<double>>("weights");
    QTest::addColumn<QString>("marks");
    QTest::addColumn<bool>("resultsAvailable");
    QTest::addColumn<int>("current");

    const QString toQ6 = "q1 q2 q3 q4 q5 q6";
    const QString all1 = "q1 b1 q2 b1 q3 b1 q4 b1 q5 b1 q6 b1 q7 b1";

    QTest::newRow("initial state")
        << "" << QList<double>{0, 1, 1, 1, 1, 1, 0} << "0000000" << false << 0;
    QTest::newRow("question 1 marked, nothing ticked")
        << "q1" << QList<double>{0, 1, 1, 1, 1, 1, 0} << "1000000" << false << 0;
    QTest::newRow("unanswered question 3 counts fully")
        << "q1 b1 q2 q3" << QList<double>{0.74, 0.12, 1, 1, 1, 1, 0} << "0010000" << false << 10;
    QTest::newRow("clearing box 3 records for question 2")
        << "q1 b3 q2" << QList<double>{0.34, 0.58, 1, 1, 1, 1, 0} << "0100000" << false << 20;
    QTest::newRow("box 6 is not cleared")
        << "q1 b6 q2" << QList<double>{0.74, 1, 1, 1, 1, 1, 0} << "0100000" << false << 74;
    QTest::newRow("unticking records the same weight")
        << "q1 b3 b2 b3" << QList<double>{0.34, 1, 1, 1, 1, 1, 0} << "1000000" << false << 34;
    QTest::newRow("one tick for questions 1 and 3")
        << "q1 q3 b2" << QList<double>{0.40, 1, 0.22, 1, 1, 1, 0} << "1010000" << false << 40;
    QTest::newRow("question 1 again after question 3")
        << "q1 q2 q3 q1 b2" << QList<double>{0.40, 1, 0.22, 1, 1, 1, 0} << "1010000" << false << 40;
    QTest::newRow("question 4 straight after question 2")
        << "q2 q4 b1" << QList<double>{0, 0.12, 1, 0.11, 1, 1, 0} << "0101000" << false << 0;
    QTest::newRow("position 6 only for question 1")
        << "q1 q3 t6" << QList<double>{0.74, 1, 1, 1, 1, 1, 0} << "1010000" << false << 74;
    QTest::newRow("position 5 not for question 7")
        << "q7 t5" << QList<double>{0, 1, 1, 1, 1, 1, 0} << "0000001" << false << 67;
    QTest::newRow("clearing box 5 on question 7 records nothing")
        << toQ6 + " b5 q7" << QList<double>{0, 1, 1, 1, 1, 1, 0} << "0000001" << false << 67;
    QTest::newRow("clearing box 4 on question 7 enables results")
        << toQ6 + " b4 q7" << QList<double>{0, 1, 1, 1, 1, 0.79, 0.83} << "0000001" << true << 77;
    // (4 + 0.83) / 6 is stored just below 0.805, so no tie: 80.49999999999999 gives 80.
    QTest::newRow("tick on question 7 enables results")
        << "q7 b4" << QList<double>{0, 1, 1, 1, 1, 1, 0.83} << "0000001" << true << 80;
    QTest::newRow("question 7 is never released")
        << toQ6 + " q7 q3 b2" << QList<double>{0, 1, 0.22, 1, 1, 1, 0.35} << "0010001" << true
        << 11;
    QTest::newRow("question 6 again after question 7")
        << toQ6 + " q7 q6 b1" << QList<double>{0, 1, 1, 1, 1, 0.10, 0.25} << "0000011" << true
        << 62;
    QTest::newRow("catalogue, all answers at position 1")
        << all1 << QList<double>{0.74, 0.12, 0.05, 0.11, 0.10, 0.10, 0.25} << "0000001" << true
        << 3;
}

void TestSurveyModel::recording()
{
    QFETCH(QString, script);
    QFETCH(QList<double>, weights);
    QFETCH(QString, marks);
    QFETCH(bool, resultsAvailable);
    QFETCH(int, current);

    SurveyModel model;
    QuestionnaireDriver(model).run(script.toStdString());

    QCOMPARE(::weights(model), weights);
    QCOMPARE(::marks(model), marks);
    QCOMPARE(model.resultsAvailable(), resultsAvailable);
    QCOMPARE(model.currentProbability(), current);
    QCOMPARE(model.lastPercent(), current);
}

// Rows with weights of their own test the arithmetic on exactly those weights, whatever the
// catalogue holds; a row without holds the catalogue's own figures.
void TestSurveyModel::results_data()
{
    QTest::addColumn<QString>("positions");
    QTest::addColumn<QList<double>>("weights"); // empty: the catalogue's
    QTest::addColumn<QList<int>>("percents");
    QTest::addColumn<int>("type1");
    QTest::addColumn<int>("type2");
    QTest::addColumn<long>("plainType1"); // what plain double arithmetic gives instead

    QTest::newRow("catalogue, all at position 1")
        << "1111111" << QList<double>{} << QList<int>{74, 12, 5, 11, 10, 10, 25} << 3 << 21 << 3L;
    // P x 100 is exactly 5.5 in extended precision (5.499999999999999 in plain double).
    QTest::newRow("tie 5.5 rounds up to even")
        << "1114141" << QList<double>{0.74, 0.12, 0.05, 0.82, 0.10, 0.79, 0.25}
        << QList<int>{74, 12, 5, 82, 10, 79, 25} << 6 << 41 << 5L;
    // P x 100 is exactly 32.5 in extended precision (plain double gives 33).
    QTest::newRow("tie 32.5 rounds down to even")
        << "1232414" << QList<double>{0.74, 0.52, 0.59, 0.71, 0.78, 0.10, 0.83}
        << QList<int>{74, 52, 59, 71, 78, 10, 83} << 32 << 61 << 33L;
    QTest::newRow("high answers") << "1455554" << QList<double>{0.74, 0.83, 1, 1, 1, 1, 0.83}
                                  << QList<int>{74, 83, 100, 100, 100, 100, 83} << 77 << 91 << 77L;
    QTest::newRow("0.58 and 0.29 truncate")
        << "1311121" << QList<double>{0.74, 0.58, 0.05, 0.11, 0.10, 0.29, 0.25}
        << QList<int>{74, 57, 5, 11, 10, 28, 25} << 15 << 30 << 15L;
}

void TestSurveyModel::results()
{
    QFETCH(QString, positions);
    QFETCH(QList<double>, weights);
    QFETCH(QList<int>, percents);
    QFETCH(int, type1);
    QFETCH(int, type2);

    SurveyModel model = modelFor(positions, weights);
    QuestionnaireDriver(model).answerAll(positions.toStdString());
    if (!weights.isEmpty()) {
        QCOMPARE(::weights(model), weights);
    }
    std::array<double, 7> recorded{};
    for (int q = 1; q <= 7; ++q) {
        recorded[std::size_t(q - 1)] = model.weight(q);
    }
    QTEST(plainDoubleType1(recorded), "plainType1");
    const SurveyResults results = model.computeResults();

    QCOMPARE(::percents(results), percents);
    for (int q = 1; q <= 7; ++q) {
        QCOMPARE(model.percent(q), percents.at(q - 1));
    }
    QCOMPARE(results.type1, type1);
    QCOMPARE(results.type2, type2);
    QCOMPARE(model.lastPercent(), type2);
}

void TestSurveyModel::mutual_data()
{
    QTest::addColumn<QString>("positions");
    QTest::addColumn<QList<double>>("weights");
    QTest::addColumn<QByteArray>("partner");
    QTest::addColumn<int>("mutual");

    // Type 2 of 21% and 91%.
    const QList<double> low{0.74, 0.12, 0.05, 0.11, 0.10, 0.10, 0.25};
    const QList<double> high{0.74, 0.83, 1, 1, 1, 1, 0.83};
    QTest::newRow("21% x 0") << "1111111" << low << QByteArray("0") << 0;
    QTest::newRow("21% x 50 truncates 10.5") << "1111111" << low << QByteArray("50") << 10;
    QTest::newRow("21% x 100") << "1111111" << low << QByteArray("100") << 21;
    QTest::newRow("21% x 200") << "1111111" << low << QByteArray("200") << 42;
    QTest::newRow("21% x -50 truncates toward zero")
        << "1111111" << low << QByteArray("-50") << -10;
    QTest::newRow("21% x hex 50") << "1111111" << low << QByteArray("$32") << 10;
    QTest::newRow("91% x 50") << "1455554" << high << QByteArray("50") << 45;
}

void TestSurveyModel::mutual()
{
    QFETCH(QString, positions);
    QFETCH(QList<double>, weights);
    QFETCH(QByteArray, partner);
    QFETCH(int, mutual);

    SurveyModel model = modelFor(positions, weights);
    QuestionnaireDriver(model).answerAll(positions.toStdString());
    model.computeResults();

    QCOMPARE(model.mutualPercent(partner.toStdString()), mutual);
}

void TestSurveyModel::exhaustiveAgainstPlainDouble()
{
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
        // Type 2 and the per-question percentages do not depend on the extra precision.
        QCOMPARE(results.type2, plainDoubleType2(w));
        for (std::size_t k = 0; k < 7; ++k) {
            QCOMPARE(results.percent[k], int(w[k] * 100));
        }
    }
    QCOMPARE(combinations.size(), std::size_t{75000});
    QCOMPARE(differing, 354);
}

void TestSurveyModel::portableArithmeticMatchesX87()
{
#if SURVEY_HAS_X87_EXTENDED
    for (const std::string& positions : allAnswerCombinations()) {
        QCOMPARE(QByteArray::fromStdString(
                     surveyFigures<BasicSurveyModel<survey::MpfrExtended>>(positions)),
                 QByteArray::fromStdString(
                     surveyFigures<BasicSurveyModel<survey::X87Extended>>(positions)));
    }
#else
    QSKIP("long double is not the x87 format here; only the portable arithmetic is built");
#endif
}

void TestSurveyModel::computingTwiceGivesTheSameNumbers()
{
    SurveyModel model;
    QuestionnaireDriver(model).answerAll("1232414");
    const QList<double> before = weights(model);

    const SurveyResults first = model.computeResults();
    QCOMPARE(weights(model), before);
    const double p = model.probability();
    const SurveyResults second = model.computeResults();

    QCOMPARE(weights(model), before);
    QCOMPARE(percents(second), percents(first));
    QCOMPARE(second.type1, first.type1);
    QCOMPARE(second.type2, first.type2);
    QVERIFY(model.probability() == p);
}

void TestSurveyModel::withoutMarksCurrentProbabilityKeepsP()
{
    SurveyModel model;
    QCOMPARE(model.currentProbability(), 0);
    QVERIFY(model.probability() == 0.0);

    // Initial weights: type 2 = (0 + 1 + 1 + 1 + 1 + 0 + 1) / 7 = 71.43 %.
    QCOMPARE(model.computeResults().type2, 71);
    QCOMPARE(model.currentProbability(), 71);
}

void TestSurveyModel::badPartnerTextChangesNothing()
{
    SurveyModel model = modelFor("1111111", {0.74, 0.12, 0.05, 0.11, 0.10, 0.10, 0.25});
    QuestionnaireDriver(model).answerAll("1111111");
    model.computeResults();
    const double p = model.probability();

    try {
        model.mutualPercent("abc");
        QFAIL("no ConversionError");
    } catch (const ConversionError& error) {
        QCOMPARE(error.what(), "'abc' is not a valid integer value");
    }
    QVERIFY(model.probability() == p);
    QCOMPARE(model.lastPercent(), 21);
    QCOMPARE(model.mutualPercent("50"), 10);
}

QTEST_APPLESS_MAIN(TestSurveyModel)
#include "test_survey_model.moc"
