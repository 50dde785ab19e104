#pragma once
// The fixed content of the survey: seven questions, their answer texts and the
// weight each answer records. Compiled in; nothing loads or edits it at run time.
// Texts are UTF-8. Positions are 1-based, as the answer boxes are numbered.

#include <string_view>

namespace QuestionCatalogue {

inline constexpr int questionCount = 7;

std::string_view text(int question);
int answerCount(int question);
std::string_view answerText(int question, int position);
double weight(int question, int position);

} // namespace QuestionCatalogue
