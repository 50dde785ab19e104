#pragma once
// The survey's whole state and its arithmetic, free of any interface code.
//
// Data flow: the questionnaire window calls selectQuestion() when a question button
// is pressed and answerToggled() for every change of an answer box's tick; the model
// records weights from a QuestionCatalogue::WeightTable (the catalogue's own unless one is
// given, as tests of the arithmetic's edge cases do) into weight(). currentProbability() and
// computeResults() evaluate the formulas into P and lastPercent; mutualPercent()
// multiplies the partner's typed percentage by the P the last computation left.
//
// Every formula row is evaluated with a 64-bit significand and rounded to double only
// when stored, which is what makes e.g. 5.5 come out as exactly 5.5 (extended.h). The
// arithmetic is a template parameter: SurveyModel computes with the x87 unit where long
// double is its 80-bit format and with GNU MPFR elsewhere; on x86 both are built, so the
// tests can hold one against the other.

#include "extended.h"
#include "question_catalogue.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <type_traits>

struct SurveyResults {
    std::array<int, 7> percent; // percent[k - 1] belongs to question k
    int type1;
    int type2;
};

namespace survey {
class MpfrExtended; // mpfr_extended.h, kept out of this header and its users
#if SURVEY_HAS_X87_EXTENDED
using NativeArithmetic = X87Extended;
#else
using NativeArithmetic = MpfrExtended;
#endif
} // namespace survey

template <class Arithmetic> class BasicSurveyModel {
public:
    explicit BasicSurveyModel(
        const QuestionCatalogue::WeightTable& answerWeights = QuestionCatalogue::weights());

    // Marks question n (1..7) current; for n >= 2 also releases question n - 1.
    void selectQuestion(int n);
    // One change of answer box pos (1..6), in either direction.
    void answerToggled(int pos);

    int currentProbability();
    SurveyResults computeResults();
    // Partner's type 2 percentage as typed (UTF-8); throws ConversionError.
    int mutualPercent(std::string_view partnerText);

    // Question numbers are 1-based.
    double weight(int question) const { return m_weight.at(question - 1); }
    bool isCurrent(int question) const { return m_current.at(question - 1); }
    int percent(int question) const { return m_percent.at(question - 1); }
    bool resultsAvailable() const { return m_resultsAvailable; }
    double probability() const { return m_p; }
    std::int32_t lastPercent() const { return m_lastPercent; }

private:
    double rowProbability(int k) const;
    std::int32_t storePercentOfP();

    QuestionCatalogue::WeightTable m_answerWeights;
    std::array<double, 7> m_weight;
    std::array<bool, 7> m_current{};
    std::array<std::int32_t, 7> m_percent{};
    double m_p = 0.0;
    std::int32_t m_lastPercent = 0;
    bool m_resultsAvailable = false;
};

// Each is built where it exists: the x87 one in survey_model.cpp, the MPFR one in
// survey_model_mpfr.cpp (the tandemo_survey_mpfr library where the x87 one is native).
extern template class BasicSurveyModel<survey::MpfrExtended>;
#if SURVEY_HAS_X87_EXTENDED
extern template class BasicSurveyModel<survey::X87Extended>;
#endif

// The one model of a run, computing with this build's arithmetic. A class of its own rather
// than an alias, so that windows can declare it ahead.
class SurveyModel : public BasicSurveyModel<survey::NativeArithmetic> {
public:
    using BasicSurveyModel::BasicSurveyModel;
};
