#include "question_catalogue.h"

#include <array>
#include <stdexcept>

namespace QuestionCatalogue {
namespace {

struct Answer {
    std::string_view text;
    double weight;
};

struct Question {
    std::string_view text;
    int answerCount;
    std::array<Answer, maxAnswerCount> answers; // positions past answerCount stay empty
};

// The odd spacing (the double space in question 1's first answer, the trailing spaces,
// the missing space after the comma in question 7's first answer) is part of the texts
// the users have always seen; keep it.
constexpr std::array<Question, questionCount> questions{{
    {"На данный момент в Вашей личной жизни такая ситуация:",
     6,
     {{
         {"Другие люди (кроме  одного данного) Вас особо не привлекают.", 0.74},
         {"Вы испытываете и к другим людям подобные чувства, но не знаете взаимны ли они.", 0.40},
         {"Вы встречаетесь с другим, любите его и всем довольны.", 0.34},
         {"Вы встречаетесь с другим, но в Ваших отношениях много проблем.", 0.40},
         {"Вы встречаетесь с другим, но отношения рушатся.", 0.52},
         {"Любимый человек порвал отношения по собственной инициативе.", 0.74},
     }}},
    {"Отношение к Вам данного человека в процессе начального общения было:",
     5,
     {{
         {"Безразличное", 0.12},
         {"Скорее положительное, чем безразличное", 0.52},
         {"Явно положительное", 0.58},
         {"Похожее на влюблённость", 0.83},
         {"Нескрываемая влюблённость", 0.60},
     }}},
    {"У вас обнаружились общие интересы, ценности, идеалы?",
     5,
     {{
         {"Нет.", 0.05},
         {"Очень немного. ", 0.22},
         {"Немного.", 0.59},
         {"Достаточно.", 0.65},
         {"Много.", 1.0},
     }}},
    {"Вас восхищают какие-либо особые навыки или умения данного человека?",
     5,
     {{
         {"Нет.", 0.11},
         {"Скорее нет. ", 0.71},
         {"Немного.", 0.52},
         {"Что-то близкое к восхищению.", 0.82},
         {"Действительно восхищают.", 1.0},
     }}},
    {"Привлекали ли Вас с самого начала черты лица данного человека?",
     5,
     {{
         {"Нет.", 0.10},
         {"Скорее нет. ", 0.15},
         {"Немного.", 0.49},
         {"Что-то близкое к восхищению.", 0.78},
         {"Просто восхищали.", 1.0},
     }}},
    {"Привлекало ли Вас с самого начала телосложение данного человека?",
     5,
     {{
         {"Нет.", 0.10},
         {"Скорее нет. ", 0.29},
         {"Немного.", 0.45},
         {"Что-то близкое к восхищению.", 0.79},
         {"Просто восхищало.", 1.0},
     }}},
    {"В какой обстановке вы сейчас обычно встречаетесь?",
     4,
     {{
         {"Скорее неприятной,чем приятной.", 0.25},
         {"Среднее. ", 0.35},
         {"Скорее приятной.", 0.48},
         {"Приятной.", 0.83},
     }}},
}};

const Question& entry(int number)
{
    return questions.at(static_cast<std::size_t>(number - 1));
}

const Answer& answerEntry(int number, int position)
{
    const Question& q = entry(number);
    if (position < 1 || position > q.answerCount) {
        throw std::out_of_range("no such answer position");
    }
    return q.answers[static_cast<std::size_t>(position - 1)];
}

} // namespace

std::string_view text(int question)
{
    return entry(question).text;
}

int answerCount(int question)
{
    return entry(question).answerCount;
}

std::string_view answerText(int question, int position)
{
    return answerEntry(question, position).text;
}

double weight(int question, int position)
{
    return answerEntry(question, position).weight;
}

WeightTable weights()
{
    WeightTable table{};
    for (std::size_t q = 0; q < questions.size(); ++q) {
        for (std::size_t pos = 0; pos < table[q].size(); ++pos) {
            table[q][pos] = questions[q].answers[pos].weight;
        }
    }
    return table;
}

} // namespace QuestionCatalogue
