#include "integer_text.h"
#include "question_catalogue.h"
#include "questionnaire_driver.h"
#include "survey_figures.h"
#include "survey_model.h"

#include <QList>
#include <QTest>

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

// Answers' weights of type 2 21% and 91%, and of a type 1 that ties at 30.5: 3 / 6 x 0.61.
const QList<double> lowWeights{0.13, 0.09, 0.07, 0.21, 0.16, 0.31, 0.51};
const QList<double> highWeights{0.97, 0.88, 0.93, 0.99, 0.86, 0.91, 0.85};
const QList<double> tieWeights{0.92, 0.61, 0.43, 0.27, 0.46, 0.53, 0.39};

// A model that records `weights` for `positions`.
SurveyModel modelFor(const QString& positions, const QList<double>& weights)
{
    std::array<double, 7> recorded{};
    std::copy(weights.begin(), weights.end(), recorded.begin());
    return SurveyModel(weightsFor(positions.toStdString(), recorded));
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
        << "q1 b1 q2 q3" << QList<double>{0.11, 0.21, 1, 1, 1, 1, 0} << "0010000" << false << 12;
    QTest::newRow("clearing box 3 records for question 2")
        << "q1 b3 q2" << QList<double>{0.13, 0.23, 1, 1, 1, 1, 0} << "0100000" << false << 3;
    QTest::newRow("box 6 is not cleared")
        << "q1 b6 q2" << QList<double>{0.16, 1, 1, 1, 1, 1, 0} << "0100000" << false << 16;
    QTest::newRow("unticking records the same weight")
        << "q1 b3 b2 b3" << QList<double>{0.13, 1, 1, 1, 1, 1, 0} << "1000000" << false << 13;
    QTest::newRow("one tick for questions 1 and 3")
        << "q1 q3 b2" << QList<double>{0.12, 1, 0.32, 1, 1, 1, 0} << "1010000" << false << 12;
    QTest::newRow("question 1 again after question 3")
        << "q1 q2 q3 q1 b2" << QList<double>{0.12, 1, 0.32, 1, 1, 1, 0} << "1010000" << false << 12;
    QTest::newRow("question 4 straight after question 2")
        << "q2 q4 b1" << QList<double>{0, 0.21, 1, 0.41, 1, 1, 0} << "0101000" << false << 0;
    QTest::newRow("position 6 only for question 1")
        << "q1 q3 t6" << QList<double>{0.16, 1, 1, 1, 1, 1, 0} << "1010000" << false << 16;
    QTest::newRow("position 5 not for question 7")
        << "q7 t5" << QList<double>{0, 1, 1, 1, 1, 1, 0} << "0000001" << false << 67;
    QTest::newRow("clearing box 5 on question 7 records nothing")
        << toQ6 + " b5 q7" << QList<double>{0, 1, 1, 1, 1, 0.65, 0} << "0000001" << false << 61;
    QTest::newRow("clearing box 4 on question 7 enables results")
        << toQ6 + " b4 q7" << QList<double>{0, 1, 1, 1, 1, 0.64, 0.74} << "0000001" << true << 73;
    QTest::newRow("tick on question 7 enables results")
        << "q7 b4" << QList<double>{0, 1, 1, 1, 1, 1, 0.74} << "0000001" << true << 79;
    QTest::newRow("question 7 is never released")
        << toQ6 + " q7 q3 b2" << QList<double>{0, 1, 0.32, 1, 1, 1, 0.72} << "0010001" << true
        << 16;
    QTest::newRow("question 6 again after question 7")
        << toQ6 + " q7 q6 b1" << QList<double>{0, 1, 1, 1, 1, 0.61, 0.71} << "0000011" << true
        << 72;
    QTest::newRow("all answers at position 1")
        << all1 << QList<double>{0.11, 0.21, 0.31, 0.41, 0.51, 0.61, 0.71} << "0000001" << true
        << 9;
}

void TestSurveyModel::recording()
{
    QFETCH(QString, script);
    QFETCH(QList<double>, weights);
    QFETCH(QString, marks);
    QFETCH(bool, resultsAvailable);
    QFETCH(int, current);

    SurveyModel model(numberedWeights());
    QuestionnaireDriver(model).run(script.toStdString());

    QCOMPARE(::weights(model), weights);
    QCOMPARE(::marks(model), marks);
    QCOMPARE(model.resultsAvailable(), resultsAvailable);
    QCOMPARE(model.currentProbability(), current);
    QCOMPARE(model.lastPercent(), current);
}

void TestSurveyModel::results_data()
{
    QTest::addColumn<QString>("positions");
    QTest::addColumn<QList<double>>("weights");
    QTest::addColumn<QList<int>>("percents");
    QTest::addColumn<int>("type1");
    QTest::addColumn<int>("type2");
    QTest::addColumn<long>("plainType1"); // what plain double arithmetic gives instead

    QTest::newRow("low answers") << "1111111" << lowWeights << QList<int>{13, 9, 7, 21, 16, 31, 51}
                                 << 2 << 21 << 2L;
    // 3.5 / 6 x 0.30: P x 100 is exactly 17.5 in extended precision (plain double gives 17).
    QTest::newRow("tie 17.5 rounds up to even")
        << "1114141" << QList<double>{0.46, 0.30, 0.32, 0.98, 0.85, 0.28, 0.61}
        << QList<int>{46, 30, 32, 98, 85, 28, 61} << 18 << 54 << 17L;
    // P x 100 is exactly 30.5 in extended precision (plain double gives 31).
    QTest::newRow("tie 30.5 rounds down to even")
        << "1232414" << tieWeights << QList<int>{92, 61, 43, 27, 46, 53, 39} << 30 << 52 << 31L;
    QTest::newRow("high answers") << "1455554" << highWeights
                                  << QList<int>{97, 88, 93, 99, 86, 91, 85} << 81 << 91 << 81L;
    // 0.57 x 100 is 56.99999999999999: 56 %, at question 2 (type 1's factor) as at question 6.
    QTest::newRow("0.57 truncates")
        << "1311121" << QList<double>{0.44, 0.57, 0.06, 0.13, 0.19, 0.57, 0.27}
        << QList<int>{44, 56, 6, 13, 19, 56, 27} << 16 << 32 << 16L;
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
    QCOMPARE(::weights(model), weights);
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

    QTest::newRow("21% x 0") << "1111111" << lowWeights << QByteArray("0") << 0;
    QTest::newRow("21% x 50 truncates 10.5") << "1111111" << lowWeights << QByteArray("50") << 10;
    QTest::newRow("21% x 100") << "1111111" << lowWeights << QByteArray("100") << 21;
    QTest::newRow("21% x 200") << "1111111" << lowWeights << QByteArray("200") << 42;
    QTest::newRow("21% x -50 truncates toward zero")
        << "1111111" << lowWeights << QByteArray("-50") << -10;
    QTest::newRow("21% x hex 50") << "1111111" << lowWeights << QByteArray("$32") << 10;
    QTest::newRow("91% x 50") << "1455554" << highWeights << QByteArray("50") << 45;
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
    SurveyModel model = modelFor("1232414", tieWeights);
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
    SurveyModel model = modelFor("1111111", lowWeights);
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
