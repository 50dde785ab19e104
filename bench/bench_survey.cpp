// The survey arithmetic: the results of every possible set of answers, the current probability
// at each stage of the questionnaire, and the conversion of the partner's typed value.
//
// The models are driven exactly as the questionnaire window drives them (a question button
// selects its question and unticks boxes 1..5, then the user ticks one box), so the weights and
// marks under measurement are the ones a person produces.

#include "integer_text.h"
#include "question_catalogue.h"
#include "questionnaire_driver.h"
#include "survey_model.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace {

const std::vector<std::string>& combinations()
{
    static const std::vector<std::string> all = allAnswerCombinations();
    return all;
}

// The build's own arithmetic is SurveyModel's; the portable one (GNU MPFR) is what CPUs
// without the x87 format compute with, measured here beside it.
using PortableModel = BasicSurveyModel<survey::MpfrExtended>;

template <class Model> Model answeredModel(const std::string& positions)
{
    Model model;
    QuestionnaireDriver(model).answerAll(positions);
    return model;
}

// The results computation alone, over models already answered outside the timed region.
// Computing again on the same model repeats the same steps on the same weights, so the models
// are reused across iterations.
template <class Model> void BM_ComputeResultsAllCombinations(benchmark::State& state)
{
    std::vector<Model> models;
    models.reserve(combinations().size());
    for (const std::string& positions : combinations()) {
        models.push_back(answeredModel<Model>(positions));
        if (!models.back().resultsAvailable()) {
            state.SkipWithError("a full set of answers did not make the results available");
            return;
        }
    }
    for (auto _ : state) {
        int sum = 0;
        for (Model& model : models) {
            const SurveyResults results = model.computeResults();
            sum += results.type1 + results.type2;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(models.size()));
    state.counters["combinations"] = static_cast<double>(models.size());
}
BENCHMARK_TEMPLATE(BM_ComputeResultsAllCombinations, SurveyModel)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_ComputeResultsAllCombinations, PortableModel)->Unit(benchmark::kMillisecond);

// What a person's whole questionnaire costs in arithmetic: fresh model, every question pressed
// and answered, then the results, for every combination.
template <class Model> void BM_AnswerAndComputeAllCombinations(benchmark::State& state)
{
    for (auto _ : state) {
        int sum = 0;
        for (const std::string& positions : combinations()) {
            Model model;
            QuestionnaireDriver(model).answerAll(positions);
            const SurveyResults results = model.computeResults();
            sum += results.type1 + results.type2;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(combinations().size()));
}
BENCHMARK_TEMPLATE(BM_AnswerAndComputeAllCombinations, SurveyModel)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_AnswerAndComputeAllCombinations, PortableModel)
    ->Unit(benchmark::kMillisecond);

// The current probability while question k is the one marked (k answered at position 1 each);
// row 7 sums the most terms.
void BM_CurrentProbability(benchmark::State& state)
{
    const int current = static_cast<int>(state.range(0));
    SurveyModel model;
    QuestionnaireDriver driver(model);
    for (int q = 1; q <= current; ++q) {
        driver.pressQuestion(q);
        driver.clickBox(1);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(model.currentProbability());
    }
}
BENCHMARK(BM_CurrentProbability)->DenseRange(1, 7);

// Texts the partner field can hold, the accepted forms each once.
constexpr std::array<std::string_view, 6> partnerTexts{"57",        "  +100",     "-12",
                                                       "$FFFFFFFF", "0x7FFFFFFF", "2147483647"};

void BM_ParseInteger(benchmark::State& state)
{
    const std::string_view text = partnerTexts.at(static_cast<std::size_t>(state.range(0)));
    state.SetLabel(std::string(text));
    for (auto _ : state) {
        benchmark::DoNotOptimize(parseInteger(text));
    }
}
BENCHMARK(BM_ParseInteger)->DenseRange(0, static_cast<int>(partnerTexts.size()) - 1);

// A rejected text costs an exception with its formatted message.
void BM_ParseIntegerRejected(benchmark::State& state)
{
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(parseInteger("abc"));
        } catch (const ConversionError& error) {
            benchmark::DoNotOptimize(error.what());
        }
    }
}
BENCHMARK(BM_ParseIntegerRejected);

// The whole "ВЫЧИСЛИТЬ" arithmetic after the results: conversion and mutual probability.
template <class Model> void BM_MutualPercent(benchmark::State& state)
{
    Model model = answeredModel<Model>("1111111");
    model.computeResults();
    for (auto _ : state) {
        benchmark::DoNotOptimize(model.mutualPercent("50"));
    }
}
BENCHMARK_TEMPLATE(BM_MutualPercent, SurveyModel);
BENCHMARK_TEMPLATE(BM_MutualPercent, PortableModel);

} // namespace

BENCHMARK_MAIN();
