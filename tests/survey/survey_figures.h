#pragma once
// Everything the survey computes for one combination of answers, as one line of text: the
// per-question percentages, type 1 and type 2, the probability left behind (an exact
// hexadecimal double), the mutual percentage for partner values across the whole 32-bit
// range, and the current probability with each row in turn the deciding one. Two arithmetic
// paths agree when their lines do: the tests hold the x87 path against the portable one, and
// the set-up script compares the lines of builds for different CPUs.

#include "questionnaire_driver.h"
#include "survey_model.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>

// Type 1 and type 2 as plain double arithmetic would give them from the recorded weights,
// every operation rounded to double at once (lrint rounds ties to even in the default
// rounding mode).
inline long plainDoubleType1(std::array<double, 7> w)
{
    for (double& x : w) {
        x = x * 100 / 100;
    }
    const double p = (w[0] + w[2] + w[3] + w[4] + w[5] + w[6]) / 6 * w[1];
    return std::lrint(p * 100);
}

inline long plainDoubleType2(const std::array<double, 7>& w)
{
    const double p = (w[0] + w[2] + w[3] + w[4] + w[5] + w[6] + w[1]) / 7;
    return std::lrint(p * 100);
}

template <class Model> std::string surveyFigures(std::string_view positions)
{
    constexpr std::int32_t min = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t max = std::numeric_limits<std::int32_t>::max();
    constexpr std::array<std::int32_t, 16> partners{
        min, min + 1, -1000000, -100, -51, -1, 0, 1, 49, 50, 99, 100, 101, 123456789, max - 1, max};

    std::string line(positions);
    const auto add = [&line](auto value) {
        std::array<char, 32> text{};
        const auto end = [&] {
            if constexpr (std::is_floating_point_v<decltype(value)>) {
                return std::to_chars(text.begin(), text.end(), value, std::chars_format::hex).ptr;
            } else {
                return std::to_chars(text.begin(), text.end(), value).ptr;
            }
        }();
        line += ' ';
        line.append(text.data(), end);
    };

    Model model;
    QuestionnaireDriver(model).answerAll(positions);
    const SurveyResults results = model.computeResults();
    for (int percent : results.percent) {
        add(percent);
    }
    add(results.type1);
    add(results.type2);
    add(model.probability());
    for (std::int32_t partner : partners) {
        add(model.mutualPercent(std::to_string(partner)));
    }
    // Question 7 stays marked; marking k as well makes row k the deciding one.
    for (int k = 6; k >= 1; --k) {
        model.selectQuestion(k);
        add(model.currentProbability());
        add(model.probability());
    }
    return line;
}
