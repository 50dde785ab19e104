#pragma once
// The model's members for any arithmetic. Each arithmetic's model is built in a file of its
// own: survey_model.cpp for the x87 unit, survey_model_mpfr.cpp for MPFR, so a program that
// computes with the x87 unit links no MPFR.

#include "survey_model.h"

#include "integer_text.h"
#include "question_catalogue.h"

#include <algorithm>

namespace {

constexpr int questionCount = QuestionCatalogue::questionCount;

// Answer positions 1..4 are the only ones question 7 has; a tick there while question 7
// is current is what lets the user ask for the results.
constexpr int lastResultsPosition = 4;

} // namespace

// Questions 2..6 start at 1.0 so that a question marked current but not yet answered
// counts fully in the current probability.
template <class Arithmetic>
BasicSurveyModel<Arithmetic>::BasicSurveyModel(const QuestionCatalogue::WeightTable& answerWeights)
    : m_answerWeights(answerWeights), m_weight{0.0, 1.0, 1.0, 1.0, 1.0, 1.0, 0.0}
{}

template <class Arithmetic> void BasicSurveyModel<Arithmetic>::selectQuestion(int n)
{
    m_current.at(static_cast<std::size_t>(n - 1)) = true;
    // Only the question just before is released: question 7 stays current for good, and
    // skipping ahead leaves the earlier question marked as well.
    if (n >= 2) {
        m_current.at(static_cast<std::size_t>(n - 2)) = false;
    }
}

template <class Arithmetic> void BasicSurveyModel<Arithmetic>::answerToggled(int pos)
{
    // The direction of the change is deliberately ignored: unticking a box records the
    // same weight as ticking it, and the window's clearing of the boxes after a question
    // change records for the newly current question.
    for (int q = 1; q <= questionCount; ++q) {
        if (isCurrent(q) && pos >= 1 && pos <= QuestionCatalogue::answerCount(q)) {
            const auto question = static_cast<std::size_t>(q - 1);
            m_weight[question] = m_answerWeights[question][static_cast<std::size_t>(pos - 1)];
        }
    }
    if (pos <= lastResultsPosition && isCurrent(questionCount)) {
        m_resultsAvailable = true;
    }
}

// The probability row belonging to question k: the mean of w1, w3..wk times w2 (for k = 2
// the mean of w1 alone, and k = 1 is w1 itself). Row 7 is the type 1 formula. The sum runs
// in that order with a 64-bit significand and is rounded once, when it is stored.
template <class Arithmetic> double BasicSurveyModel<Arithmetic>::rowProbability(int k) const
{
    if (k == 1) {
        return m_weight[0];
    }
    Arithmetic sum(m_weight[0]);
    for (int q = 3; q <= k; ++q) {
        sum.plus(m_weight[static_cast<std::size_t>(q - 1)]);
    }
    return sum.dividedBy(k - 1).times(m_weight[1]).stored();
}

template <class Arithmetic> std::int32_t BasicSurveyModel<Arithmetic>::storePercentOfP()
{
    m_p = Arithmetic(m_p).times(100).stored();
    m_lastPercent = survey::roundHalfEven(m_p);
    m_p = Arithmetic(m_p).dividedBy(100).stored();
    return m_lastPercent;
}

template <class Arithmetic> int BasicSurveyModel<Arithmetic>::currentProbability()
{
    // Every marked question assigns its row, from 7 down to 1, so the lowest-numbered
    // marked question decides; with nothing marked P keeps what it held.
    for (int k = questionCount; k >= 1; --k) {
        if (isCurrent(k)) {
            m_p = rowProbability(k);
        }
    }
    return storePercentOfP();
}

template <class Arithmetic> SurveyResults BasicSurveyModel<Arithmetic>::computeResults()
{
    // The weights themselves pass through percent and back; for every weight the
    // catalogue holds that round trip returns the same double.
    for (std::size_t k = 0; k < m_weight.size(); ++k) {
        m_weight[k] = Arithmetic(m_weight[k]).times(100).stored();
        m_percent[k] = survey::truncateTowardZero(m_weight[k]);
    }
    for (double& w : m_weight) {
        w = Arithmetic(w).dividedBy(100).stored();
    }

    SurveyResults results{};
    std::copy(m_percent.begin(), m_percent.end(), results.percent.begin());

    m_p = rowProbability(questionCount);
    results.type1 = storePercentOfP();

    // Question 2 is a multiplier in type 1 but an ordinary term here, summed last.
    Arithmetic sum(m_weight[0]);
    for (std::size_t k = 2; k < m_weight.size(); ++k) {
        sum.plus(m_weight[k]);
    }
    m_p = sum.plus(m_weight[1]).dividedBy(questionCount).stored();
    results.type2 = storePercentOfP();
    return results;
}

template <class Arithmetic>
int BasicSurveyModel<Arithmetic>::mutualPercent(std::string_view partnerText)
{
    // The conversion throws before anything is computed, so a bad text changes nothing.
    const std::int32_t partner = parseInteger(partnerText);
    double x = Arithmetic(partner).dividedBy(100).stored();
    x = Arithmetic(x).times(m_p).stored();
    x = Arithmetic(x).times(100).stored();
    return survey::truncateTowardZero(x);
}
