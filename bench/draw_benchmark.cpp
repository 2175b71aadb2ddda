// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// One whole series (both columns, no cover animation) per condition over 1..90; two required
// numbers over the wide ranges only a hand-edited settings file can hold; and the time from the
// command to the refusal the window reports for a condition no column can meet.
#include <benchmark/benchmark.h>

#include <limits>

#include "draw/series_draw.h"
#include "platform/system_clock.h"
#include "platform/xoshiro_random_source.h"

namespace quintara::draw {
namespace {

using settings::ConditionKind;
using settings::DrawConditions;
using settings::DrawRange;

// As many attempts as a series takes, as the window's slices make them in all.
constexpr long kToTheEnd = std::numeric_limits<long>::max();

struct Bench {
    platform::XoshiroRandomSource random;
    platform::SystemClock clock;
};

// The rule is read once, as the window reads it once for every series until the next read.
void drawSeries(benchmark::State& state, DrawConditions conditions, DrawRange range) {
    Bench bench;
    const settings::DrawRule rule = settings::drawRuleOf(conditions);
    long attempts = 0;
    long refused = 0;
    for (auto _ : state) {
        SeriesDraw draw(bench.random, bench.clock, rule, range);
        // Not const: Google Benchmark 1.9 deprecates DoNotOptimize of a const value.
        DrawState outcome = draw.advance(kToTheEnd);
        benchmark::DoNotOptimize(outcome);
        attempts += draw.attempts();
        refused += outcome == DrawState::Drawn ? 0 : 1;
    }
    state.counters["attempts_per_column"] =
        benchmark::Counter(static_cast<double>(attempts) / 2, benchmark::Counter::kAvgIterations);
    // Series given up on, though the condition can be met.
    state.counters["refused_series"] =
        benchmark::Counter(static_cast<double>(refused), benchmark::Counter::kAvgIterations);
    state.counters["attempts_per_second"] =
        benchmark::Counter(static_cast<double>(attempts), benchmark::Counter::kIsRate);
}

DrawConditions withKind(ConditionKind kind) {
    DrawConditions conditions = settings::dialogDefaults();
    conditions.kind = kind;
    return conditions;
}

void BM_Series_NoCondition(benchmark::State& state) {
    drawSeries(state, withKind(ConditionKind::NoCondition), {1, 90});
}
void BM_Series_Phrase(benchmark::State& state) {
    auto conditions = withKind(ConditionKind::Phrase);
    conditions.phrase = "Mario Rossi 7 dicembre";
    drawSeries(state, conditions, {1, 90});
}
void BM_Series_OneRequiredNumber(benchmark::State& state) {
    auto conditions = withKind(ConditionKind::MustContain);
    conditions.firstNumber = "5";
    drawSeries(state, conditions, {1, 90});
}
void BM_Series_TwoRequiredNumbers(benchmark::State& state) {
    auto conditions = withKind(ConditionKind::MustContain);
    conditions.firstNumber = "5";
    conditions.secondNumber = "77";
    drawSeries(state, conditions, {1, 90});
}
void BM_Series_EvenOnly(benchmark::State& state) {
    drawSeries(state, withKind(ConditionKind::EvenOnly), {1, 90});
}
void BM_Series_OddOnly(benchmark::State& state) {
    drawSeries(state, withKind(ConditionKind::OddOnly), {1, 90});
}
void BM_Series_TensDigit3(benchmark::State& state) {
    auto conditions = withKind(ConditionKind::TensDigit);
    conditions.tensDigits = "3";
    drawSeries(state, conditions, {1, 90});
}

// Two required numbers among thousands of candidates: a column passes one attempt in
// C(n,6) / C(n-2,4) = n(n-1)/30, about 833,000 for 5000 candidates and 36 million for 32,767.
void twoRequiredNumbersAmong(benchmark::State& state, std::int16_t spread) {
    auto conditions = withKind(ConditionKind::MustContain);
    conditions.firstNumber = "5";
    conditions.secondNumber = "77";
    drawSeries(state, conditions, {1, spread});
}
void BM_Series_TwoRequiredNumbersAmong5000(benchmark::State& state) {
    twoRequiredNumbersAmong(state, 5000);
}
void BM_Series_TwoRequiredNumbersAmong32767(benchmark::State& state) {
    twoRequiredNumbersAmong(state, 32767);
}

// Tens digit 8 over 1..49, which no column can meet: "Nuova Serie" from the command, covers
// closed, to the outcome that the window reports in its message box.
void BM_ImpossibleCondition_TensDigit8Over49(benchmark::State& state) {
    auto conditions = withKind(ConditionKind::TensDigit);
    conditions.tensDigits = "8";
    Bench bench;
    long attempts = 0;
    for (auto _ : state) {
        SeriesDraw draw(bench.random, bench.clock, settings::drawRuleOf(conditions), {1, 49});
        DrawState outcome = draw.advance(kToTheEnd);
        benchmark::DoNotOptimize(outcome);
        attempts = draw.attempts();
    }
    state.counters["attempts"] = static_cast<double>(attempts);
}

constexpr int kRepetitions = 9;

BENCHMARK(BM_Series_NoCondition)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Series_Phrase)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Series_OneRequiredNumber)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Series_TwoRequiredNumbers)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Series_EvenOnly)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Series_OddOnly)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Series_TensDigit3)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Series_TwoRequiredNumbersAmong5000)
    ->Repetitions(3)
    ->Iterations(10)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Series_TwoRequiredNumbersAmong32767)
    ->Repetitions(1)
    ->Iterations(4)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImpossibleCondition_TensDigit8Over49)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quintara::draw

BENCHMARK_MAIN();
