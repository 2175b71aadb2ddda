// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// One whole series (both columns, no cover animation) per condition over 1..90, and the time
// the engine takes to give up on a condition no column can meet.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "draw/draw_engine.h"
#include "draw/recording_display.h"
#include "platform/system_clock.h"
#include "platform/xoshiro_random_source.h"

namespace quintara::draw {
namespace {

using settings::ConditionKind;
using settings::DrawConditions;
using settings::DrawRange;

long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

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
    for (auto _ : state) {
        for (const int column : {1, 2}) {
            const ColumnOutcome outcome = bench.engine.DrawColumn(column, conditions, range);
            benchmark::DoNotOptimize(outcome);
            attempts += bench.engine.attemptsOfLastColumn();
        }
    }
    state.counters["attempts_per_column"] =
        benchmark::Counter(static_cast<double>(attempts) / 2, benchmark::Counter::kAvgIterations);
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

// Tens digit 8 over 1..49: no column can pass, so the engine runs its million attempts and
// reports. The counter shows the resident memory added meanwhile.
void BM_ImpossibleCondition_TensDigit8Over49(benchmark::State& state) {
    auto conditions = withKind(ConditionKind::TensDigit);
    conditions.TensDigits = "8";
    Bench bench;
    const long before = peakResidentKiB();
    for (auto _ : state) {
        const ColumnOutcome outcome = bench.engine.DrawColumn(1, conditions, {1, 49});
        benchmark::DoNotOptimize(outcome);
    }
    state.counters["peak_rss_growth_KiB"] = static_cast<double>(peakResidentKiB() - before);
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
BENCHMARK(BM_ImpossibleCondition_TensDigit8Over49)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quintara::draw

BENCHMARK_MAIN();
