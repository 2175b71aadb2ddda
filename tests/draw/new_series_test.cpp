// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "draw/new_series.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <algorithm>

#include "draw/cover_animation.h"
#include "platform/xoshiro_random_source.h"
#include "support/recording_display.h"
#include "support/scripted_random_source.h"

namespace quintara::draw {
namespace {

using settings::ConditionKind;
using settings::DrawConditions;
using settings::DrawRange;
using Change = RecordingDisplay::WidthChange;

// The covers as the main window starts: full widths, all visible.
RecordingDisplay coversAtStartUp() {
    RecordingDisplay display;
    display.coverVisible.fill(true);
    return display;
}

std::vector<Change> changesOf(CoverPhase phase) {
    RecordingDisplay display = coversAtStartUp();
    AnimateCovers(display, phase);
    return display.widthChanges;
}

TEST(CoverAnimation, EachPhaseMakes3066WidthChangesPairByPair) {
    for (const CoverPhase phase : {CoverPhase::Covering, CoverPhase::Uncovering}) {
        const auto changes = changesOf(phase);
        ASSERT_EQ(changes.size(), 3066u);
        for (int pair = 0; pair < 7; ++pair) {
            for (int step = 0; step < 219; ++step) {
                const auto at = static_cast<std::size_t>((pair * 219 + step) * 2);
                const int width = phase == CoverPhase::Covering ? 5 * (step + 1) : 1095 - 5 * step;
                ASSERT_EQ(changes[at], (Change{pair + 6, width})) << pair << " " << step;
                ASSERT_EQ(changes[at + 1], (Change{pair, pair == 6 ? 2 * width : width}));
            }
        }
    }
}

TEST(CoverAnimation, CoveringStartsWithTheJollyCoverAndColumnOnesFirstCover) {
    const auto changes = changesOf(CoverPhase::Covering);
    EXPECT_EQ(changes[0], (Change{6, 5}));
    EXPECT_EQ(changes[1], (Change{0, 5}));
    EXPECT_EQ(changes[2], (Change{6, 10}));
    EXPECT_EQ(changes.back(), (Change{6, 2190}));
}

TEST(CoverAnimation, UncoveringSetsTheJollyCoverBackToFullWidthForItsSecondMove) {
    const auto changes = changesOf(CoverPhase::Uncovering);
    const std::size_t pairSixStart = 6 * 219 * 2;
    // While pairs 1 to 5 run, the Jolly cover stays at the 5 twips pair 0 left it at.
    EXPECT_EQ(changes[219 * 2 - 2], (Change{6, 5}));
    for (std::size_t i = 219 * 2; i < pairSixStart; ++i) {
        ASSERT_NE(changes[i].cover, 6);
    }
    EXPECT_EQ(changes[pairSixStart], (Change{12, 1095}));
    EXPECT_EQ(changes[pairSixStart + 1], (Change{6, 2190}));
    EXPECT_EQ(changes.back(), (Change{6, 10}));
}

TEST(CoverAnimation, EndStatesOfBothPhases) {
    RecordingDisplay display = coversAtStartUp();
    AnimateCovers(display, CoverPhase::Uncovering);
    for (int cover = 0; cover < 13; ++cover) {
        EXPECT_EQ(display.coverWidths[cover], cover == 6 ? 10 : 5) << cover;
    }
    AnimateCovers(display, CoverPhase::Covering);
    for (int cover = 0; cover < 13; ++cover) {
        EXPECT_EQ(display.coverWidths[cover], cover == 6 ? 2190 : 1095) << cover;
        EXPECT_TRUE(display.coverVisible[cover]);
    }
}

TEST(CoverAnimation, EveryWidthChangeIsFollowedByAStepAndEachPhaseIsOneMovement) {
    RecordingDisplay display = coversAtStartUp();
    AnimateCovers(display, CoverPhase::Uncovering);
    EXPECT_EQ(display.stepsDone, 3066);
    EXPECT_EQ(display.movements, 1);
}

TEST(CoverAnimation, CoversCountAsOpenBelow100Twips) {
    RecordingDisplay display;
    display.coverWidths[1] = 100;
    EXPECT_FALSE(coversAreOpen(display));
    display.coverWidths[1] = 99;
    EXPECT_TRUE(coversAreOpen(display));
}

TEST(CoverAnimation, SavingTheConditionsNarrowsOnlyColumnOnesCovers) {
    RecordingDisplay display = coversAtStartUp();
    display.coverVisible.fill(false);
    narrowFirstColumnCovers(display);
    ASSERT_EQ(display.widthChanges.size(), 6u * 219u);
    EXPECT_EQ(display.widthChanges[0], (Change{0, 1095}));
    EXPECT_EQ(display.widthChanges[218], (Change{0, 5}));
    EXPECT_EQ(display.widthChanges[219], (Change{1, 1095}));
    for (int cover = 0; cover < 13; ++cover) {
        const bool firstColumn = cover < 6;
        EXPECT_EQ(display.coverWidths[cover], firstColumn ? 5 : (cover == 6 ? 2055 : 1095));
        EXPECT_EQ(display.coverVisible[cover], firstColumn);
    }
    EXPECT_TRUE(coversAreOpen(display));
}

class NewSeriesCommand : public ::testing::Test {
protected:
    NewSeriesCommand() { display.coverVisible.fill(true); }

    platform::XoshiroRandomSource random = platform::XoshiroRandomSource::withFixedState(9);
    testing::FixedClock clock;
    RecordingDisplay display;
    DrawEngine engine{random, clock, display};
    DrawConditions conditions = settings::mainWindowDefaults();
    DrawRange range{1, 49};
};

TEST_F(NewSeriesCommand, TheFirstSeriesOnlyUncoversAndTheSecondCoversFirst) {
    ASSERT_EQ(NewSeries(engine, display, conditions, range), SeriesOutcome::Drawn);
    EXPECT_EQ(display.movements, 1);
    EXPECT_EQ(display.coverWidths[1], 5);
    ASSERT_EQ(NewSeries(engine, display, conditions, range), SeriesOutcome::Drawn);
    EXPECT_EQ(display.movements, 3);
    EXPECT_EQ(display.widthChanges[3066], (Change{6, 5}));
}

TEST_F(NewSeriesCommand, CoversAtExactly100TwipsCountAsClosed) {
    display.coverWidths[1] = 100;
    NewSeries(engine, display, conditions, range);
    EXPECT_EQ(display.movements, 1);
}

// Collapses each run of one event into a single letter.
std::string runsOf(const std::string& timeline) {
    std::string runs;
    for (const char event : timeline) {
        if (runs.empty() || runs.back() != event) {
            runs.push_back(event);
        }
    }
    return runs;
}

TEST_F(NewSeriesCommand, TheNumbersAreDrawnBehindClosedCovers) {
    NewSeries(engine, display, conditions, range);
    display.recordTimeline = true;
    ASSERT_EQ(NewSeries(engine, display, conditions, range), SeriesOutcome::Drawn);
    // The covering phase, then every label write, then the uncovering phase.
    EXPECT_EQ(runsOf(display.timeline), "[w]L[w]");
}

// A refused series touches no label and leaves the covers closed, even those the series before
// had opened.
TEST_F(NewSeriesCommand, ARefusedSeriesIsReportedWithTheCoversClosedAndNothingDrawn) {
    struct Refusal {
        const char* name;
        ConditionKind kind;
        std::string tensDigits;
        DrawRange range;
        SeriesOutcome outcome;
    };
    const Refusal refusals[] = {
        {"six candidates", ConditionKind::NoCondition, "", {1, 6}, SeriesOutcome::InvalidRange},
        // The range is what is wrong, even where no column of it could meet the condition.
        {"six candidates, even only",
         ConditionKind::EvenOnly,
         "",
         {1, 6},
         SeriesOutcome::InvalidRange},
        {"no eighties in 1..49",
         ConditionKind::TensDigit,
         "8",
         {1, 49},
         SeriesOutcome::NoSeriesFound},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.name);
        range = {1, 49};
        conditions.Condition = ConditionKind::NoCondition;
        ASSERT_EQ(NewSeries(engine, display, conditions, range), SeriesOutcome::Drawn);
        display.timeline.clear();
        display.recordTimeline = true;
        range = refusal.range;
        conditions.Condition = refusal.kind;
        conditions.TensDigits = refusal.tensDigits;
        EXPECT_EQ(NewSeries(engine, display, conditions, range), refusal.outcome);
        EXPECT_EQ(runsOf(display.timeline), "[w]");
        EXPECT_FALSE(coversAreOpen(display));
        EXPECT_EQ(display.coverWidths[6], 2190);
        EXPECT_EQ(engine.attemptsOfLastColumn(), 0);
        display.recordTimeline = false;
    }
}

// Two required numbers among 6,000 candidates pass about one attempt in 1.2 million. This fixed
// generator state needs more than a million attempts, on a 256 KiB stack: the draw neither gives
// up after a set number of attempts nor recurses once per attempt.
TEST(LongDraw, AColumnIsDrawnHoweverManyAttemptsItTakesWithoutGrowingTheStack) {
    struct Run {
        long attempts = 0;
        ColumnOutcome outcome = ColumnOutcome::InvalidRange;
        long progressReports = 0;
        long lastReportAt = 0;
        long shortestReportGap = 0;
        long longestReportGap = 0;
        std::array<std::string, 6> shown;
    } run;
    const auto body = [](void* argument) -> void* {
        auto& result = *static_cast<Run*>(argument);
        auto random = platform::XoshiroRandomSource::withFixedState(11);
        testing::FixedClock clock;
        RecordingDisplay display;
        display.recordCaptionOrder = false;
        DrawEngine* drawing = nullptr;
        DrawEngine engine(random, clock, display, [&result, &drawing] {
            const long gap = drawing->attemptsOfLastColumn() - result.lastReportAt;
            result.lastReportAt += gap;
            result.shortestReportGap =
                result.progressReports == 0 ? gap : std::min(result.shortestReportGap, gap);
            result.longestReportGap = std::max(result.longestReportGap, gap);
            ++result.progressReports;
        });
        drawing = &engine;
        DrawConditions conditions = settings::dialogDefaults();
        conditions.Condition = ConditionKind::MustContain;
        conditions.RequiredNumber1 = "6000";
        conditions.RequiredNumber2 = "1";
        result.outcome = engine.DrawColumn(1, conditions, DrawRange{1, 6000});
        result.attempts = engine.attemptsOfLastColumn();
        result.shown = display.numberCaptions[0];
        return nullptr;
    };
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 256 * 1024);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attributes, body, &run), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    ASSERT_EQ(run.outcome, ColumnOutcome::Passed);
    EXPECT_GT(run.attempts, 1'000'000);
    EXPECT_EQ(run.shown[0], "1");
    EXPECT_EQ(run.shown[5], "6000");
    // The wait cursor counts from the first report, so reports come about a millisecond apart
    // from the start: at some 4.8 million attempts a second, every 1,200 to 19,200 attempts
    // (a quarter of a millisecond to four).
    ASSERT_GT(run.progressReports, 0);
    EXPECT_GE(run.shortestReportGap, 1'200);
    EXPECT_LE(run.longestReportGap, 19'200);
    EXPECT_LE(run.attempts - run.lastReportAt, 19'200);
}

}  // namespace
}  // namespace quintara::draw
