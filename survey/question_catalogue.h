#pragma once
// The fixed content of the survey: seven questions, their answer texts and the
// weight each answer records. Compiled in; nothing loads or edits it at run time.
// Texts are UTF-8. Positions are 1-based, as the answer boxes are numbered.

#include <array>
#include <string_view>

namespace QuestionCatalogue {

inline constexpr int questionCount = 7;
inline constexpr int maxAnswerCount = 6;

// Every answer's weight, [question - 1][position - 1]; positions past a question's answer
// count are not used. The survey model records from such a table: the catalogue's own, or
// one made for a test case.
using WeightTable = std::array<std::array<double, maxAnswerCount>, questionCount>;

std::string_view text(int question);
int answerCount(int question);
std::string_view answerText(int question, int position);
double weight(int question, int position);
WeightTable weights();

} // namespace QuestionCatalogue
