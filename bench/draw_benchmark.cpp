// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// One whole series (both columns, no cover animation) per condition over 1..90; two required
// numbers over the wide ranges only a hand-edited settings file can hold; and the time from the
// command to the message for a condition no column can meet.
#include <benchmark/benchmark.h>

#include "draw/draw_engine.h"
#include "draw/new_series.h"
#include "platform/system_clock.h"
#include "platform/xoshiro_random_source.h"
#include "tests/support/recording_display.h"

namespace quintara::draw {
namespace {

using settings::ConditionKind;
using settings::DrawConditions;
using settings::DrawRange;

struct Bench {
    Bench() {
        display.recordCaptionOrder = false;
        display.recordWidthChanges = false;
    }
    platform::XoshiroRandomSource random;
    platform::SystemClock clock;
    RecordingDisplay display;
    DrawEngine engine{random, clock, display};
};

void drawSeries(benchmark::State& state, DrawConditions conditions, DrawRange range) {
    Bench bench;
    long attempts = 0;
    long refused = 0;
    for (auto _ : state) {
        for (const int column : {1, 2}) {
            // Not const: Google Benchmark 1.9 deprecates DoNotOptimize of a const value.
            ColumnOutcome outcome = bench.engine.DrawColumn(column, conditions, range);
            benchmark::DoNotOptimize(outcome);
            attempts += bench.engine.attemptsOfLastColumn();
            refused += outcome == ColumnOutcome::Passed ? 0 : 1;
        }
    }
    state.counters["attempts_per_column"] =
        benchmark::Counter(static_cast<double>(attempts) / 2, benchmark::Counter::kAvgIterations);
    // Columns given up on, though the condition can be met.
    state.counters["refused_columns"] =
        benchmark::Counter(static_cast<double>(refused) / 2, benchmark::Counter::kAvgIterations);
    state.counters["attempts_per_second"] =
        benchmark::Counter(static_cast<double>(attempts), benchmark::Counter::kIsRate);
}

DrawConditions withKind(ConditionKind kind) {
    DrawConditions conditions = settings::dialogDefaults();
    conditions.Condition = kind;
    return conditions;
}

void BM_Series_NoCondition(benchmark::State& state) {
    drawSeries(state, withKind(ConditionKind::NoCondition), {1, 90});
}
void BM_Series_Phrase(benchmark::State& state) {
    auto conditions = withKind(ConditionKind::Phrase);
    conditions.PhraseText = "Mario Rossi 7 dicembre";
    drawSeries(state, conditions, {1, 90});
}
void BM_Series_OneRequiredNumber(benchmark::State& state) {
    auto conditions = withKind(ConditionKind::MustContain);
    conditions.RequiredNumber1 = "5";
    drawSeries(state, conditions, {1, 90});
}
void BM_Series_TwoRequiredNumbers(benchmark::State& state) {
    auto conditions = withKind(ConditionKind::MustContain);
    conditions.RequiredNumber1 = "5";
    conditions.RequiredNumber2 = "77";
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
    conditions.TensDigits = "3";
    drawSeries(state, conditions, {1, 90});
}

// Two required numbers among thousands of candidates: a column passes one attempt in
// C(n,6) / C(n-2,4) = n(n-1)/30, about 833,000 for 5000 candidates and 36 million for 32,767.
void twoRequiredNumbersAmong(benchmark::State& state, std::int16_t spread) {
    auto conditions = withKind(ConditionKind::MustContain);
    conditions.RequiredNumber1 = "5";
    conditions.RequiredNumber2 = "77";
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
    conditions.TensDigits = "8";
    Bench bench;
    bench.display.coverVisible.fill(true);
    for (auto _ : state) {
        SeriesOutcome outcome = NewSeries(bench.engine, bench.display, conditions, {1, 49});
        benchmark::DoNotOptimize(outcome);
    }
    state.counters["attempts"] = static_cast<double>(bench.engine.attemptsOfLastColumn());
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
