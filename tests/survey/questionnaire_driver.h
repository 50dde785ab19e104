#pragma once
// Feeds a SurveyModel the calls the questionnaire window makes: a question button selects
// its question and then unticks answer boxes 1..5 in order, and only a box whose tick
// really changes reports it. Box 6 is never cleared. Works for a model of either arithmetic.

#include "question_catalogue.h"
#include "survey_model.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Every combination of one answer per question, as answerAll() takes them, question 7
// turning fastest: 6 * 5 * 5 * 5 * 5 * 5 * 4 = 75,000.
inline std::vector<std::string> allAnswerCombinations()
{
    std::vector<std::string> combinations{std::string()};
    for (int q = 1; q <= QuestionCatalogue::questionCount; ++q) {
        std::vector<std::string> longer;
        longer.reserve(combinations.size() *
                       static_cast<std::size_t>(QuestionCatalogue::answerCount(q)));
        for (const std::string& prefix : combinations) {
            for (int pos = 1; pos <= QuestionCatalogue::answerCount(q); ++pos) {
                longer.push_back(prefix + static_cast<char>('0' + pos));
            }
        }
        combinations = std::move(longer);
    }
    return combinations;
}

// A weight table made for one case: answering `positions` (as answerAll() takes them)
// records `recorded`, one weight per question, whatever the catalogue holds. Every other
// answer weighs 0.5, so that a model recording the wrong position shows it.
inline QuestionCatalogue::WeightTable weightsFor(std::string_view positions,
                                                 const std::array<double, 7>& recorded)
{
    QuestionCatalogue::WeightTable table;
    for (std::size_t q = 0; q < table.size(); ++q) {
        table[q].fill(0.5);
        table[q].at(static_cast<std::size_t>(positions.at(q) - '1')) = recorded[q];
    }
    return table;
}

// A weight table made for tests of what gets recorded: answer p of question q weighs
// (10q + p) / 100, so a recorded 0.23 says it came from box 3 on question 2.
inline QuestionCatalogue::WeightTable numberedWeights()
{
    QuestionCatalogue::WeightTable table;
    for (std::size_t q = 0; q < table.size(); ++q) {
        for (std::size_t pos = 0; pos < table[q].size(); ++pos) {
            table[q][pos] = static_cast<double>(10 * (q + 1) + pos + 1) / 100;
        }
    }
    return table;
}

template <class Model> class QuestionnaireDriver {
public:
    explicit QuestionnaireDriver(Model& model) : m_model(model) {}

    void pressQuestion(int n)
    {
        m_model.selectQuestion(n);
        for (int box = 1; box <= 5; ++box) {
            if (ticked(box)) {
                clickBox(box);
            }
        }
    }

    void clickBox(int box)
    {
        ticked(box) = !ticked(box);
        m_model.answerToggled(box);
    }

    // One answer per question, in question order: "1455554".
    void answerAll(std::string_view positions)
    {
        for (int q = 1; q <= 7; ++q) {
            pressQuestion(q);
            clickBox(positions.at(static_cast<std::size_t>(q - 1)) - '0');
        }
    }

    // Space-separated steps: "q3" presses question button 3, "b2" clicks answer box 2,
    // "t6" reports a change of box 6 straight to the model (a box the window hides).
    void run(std::string_view script)
    {
        while (!script.empty()) {
            const std::size_t end = std::min(script.find(' '), script.size());
            const std::string_view step = script.substr(0, end);
            script.remove_prefix(std::min(end + 1, script.size()));
            int n = 0;
            if (step.size() < 2 ||
                std::from_chars(step.data() + 1, step.data() + step.size(), n).ec != std::errc{})
                throw std::invalid_argument("bad step: " + std::string(step));
            switch (step.front()) {
            case 'q':
                pressQuestion(n);
                break;
            case 'b':
                clickBox(n);
                break;
            case 't':
                m_model.answerToggled(n);
                break;
            default:
                throw std::invalid_argument("bad step: " + std::string(step));
            }
        }
    }

private:
    bool& ticked(int box) { return m_ticked.at(static_cast<std::size_t>(box - 1)); }

    Model& m_model;
    std::array<bool, 6> m_ticked{};
};
