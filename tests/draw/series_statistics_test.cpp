// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Many series drawn with a fixed generator state: the numbers are fair and every condition holds.
// The thresholds are set so that a correct engine fails less than once in a million runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <set>

#include "draw/series_draw.h"
#include "platform/xoshiro_random_source.h"
#include "support/scripted_random_source.h"

namespace quintara::draw {
namespace {

using settings::ConditionKind;
using settings::DrawConditions;
using settings::DrawRange;

// As many attempts as a series takes.
constexpr long kToTheEnd = std::numeric_limits<long>::max();

struct Shown {
    std::array<int, 6> column1;
    std::array<int, 6> column2;
    int jolly;
    std::optional<BallColour> jollyColour;
};

class ManySeries : public ::testing::Test {
protected:
    Shown drawSeries() {
        SeriesDraw draw(random, clock, settings::drawRuleOf(conditions), range);
        EXPECT_EQ(draw.advance(kToTheEnd), DrawState::Drawn);
        const Series& series = draw.series();
        Shown shown{};
        std::copy(series.columns[0].begin(), series.columns[0].end(), shown.column1.begin());
        std::copy(series.columns[1].begin(), series.columns[1].end(), shown.column2.begin());
        shown.jolly = series.jolly;
        shown.jollyColour = series.jollyColour;
        return shown;
    }

    platform::XoshiroRandomSource random = platform::XoshiroRandomSource::withFixedState(2026);
    testing::FixedClock clock;
    DrawConditions conditions = settings::dialogDefaults();
    DrawRange range{1, 90};
};

bool strictlyAscendingWithin(const std::array<int, 6>& column, int low, int high) {
    return std::is_sorted(column.begin(), column.end(), std::less_equal<>{}) &&
           std::adjacent_find(column.begin(), column.end()) == column.end() &&
           column.front() >= low && column.back() <= high;
}

TEST_F(ManySeries, EveryNumberOfTheRangeAppearsWithItsFairFrequency) {
    constexpr int kSeries = 20000;
    std::map<int, int> counts;
    for (int i = 0; i < kSeries; ++i) {
        const Shown shown = drawSeries();
        for (const int number : shown.column1)
            ++counts[number];
        for (const int number : shown.column2)
            ++counts[number];
    }
    ASSERT_EQ(counts.size(), 90u);
    const double expected = kSeries * 12 / 90.0;
    double chiSquare = 0.0;
    for (const auto& [number, count] : counts) {
        chiSquare += (count - expected) * (count - expected) / expected;
    }
    // The 1 - 1e-6 quantile of chi-square with 89 degrees of freedom is about 167.6.
    EXPECT_LT(chiSquare, 168.0);
}

// Both ends of each range come out: 10 and 29 for 20 candidates from 10.
TEST_F(ManySeries, ColumnsAreAscendingDistinctAndSpanTheRangeAndTheJollyIsNotInColumnOne) {
    for (const DrawRange tested : {DrawRange{1, 90}, DrawRange{1, 49}, DrawRange{10, 20}}) {
        range = tested;
        const int high = range.first + range.count - 1;
        std::set<int> seen;
        for (int i = 0; i < 2000; ++i) {
            const Shown shown = drawSeries();
            ASSERT_TRUE(strictlyAscendingWithin(shown.column1, range.first, high));
            ASSERT_TRUE(strictlyAscendingWithin(shown.column2, range.first, high));
            const int jolly = shown.jolly;
            ASSERT_GE(jolly, range.first);
            ASSERT_LE(jolly, high);
            ASSERT_EQ(std::count(shown.column1.begin(), shown.column1.end(), jolly), 0);
            seen.insert(shown.column1.begin(), shown.column1.end());
            seen.insert(shown.column2.begin(), shown.column2.end());
        }
        EXPECT_EQ(*seen.begin(), range.first);
        EXPECT_EQ(*seen.rbegin(), high);
    }
}

TEST_F(ManySeries, SevenCandidatesMakeTheJollyTheNumberColumnOneLacks) {
    range = {1, 7};
    for (int i = 0; i < 200; ++i) {
        const Shown shown = drawSeries();
        std::set<int> all(shown.column1.begin(), shown.column1.end());
        all.insert(shown.jolly);
        ASSERT_EQ(all, (std::set<int>{1, 2, 3, 4, 5, 6, 7}));
    }
}

TEST_F(ManySeries, EveryShownColumnMeetsItsCondition) {
    struct Case {
        ConditionKind kind;
        std::string first, second;
        std::function<bool(const std::array<int, 6>&)> holds;
    };
    const auto has = [](const std::array<int, 6>& c, int n) {
        return std::find(c.begin(), c.end(), n) != c.end();
    };
    const std::vector<Case> cases = {
        {ConditionKind::MustContain, "5", "", [&](const auto& c) { return has(c, 5); }},
        {ConditionKind::MustContain, "5", "77",
         [&](const auto& c) { return has(c, 5) && has(c, 77); }},
        {ConditionKind::EvenOnly, "", "",
         [](const auto& c) {
             return std::all_of(c.begin(), c.end(), [](int n) { return n % 2 == 0; });
         }},
        {ConditionKind::OddOnly, "", "",
         [](const auto& c) {
             return std::all_of(c.begin(), c.end(), [](int n) { return n % 2 == 1; });
         }},
        {ConditionKind::TensDigit, "3", "",
         [](const auto& c) {
             return std::count_if(c.begin(), c.end(), [](int n) { return n >= 30 && n <= 39; }) >=
                    2;
         }},
    };
    bool sawOddJolly = false;
    for (const Case& tested : cases) {
        conditions.kind = tested.kind;
        conditions.firstNumber = tested.first;
        conditions.secondNumber = tested.second;
        conditions.tensDigits = tested.first;
        for (int i = 0; i < 300; ++i) {
            const Shown shown = drawSeries();
            ASSERT_TRUE(tested.holds(shown.column1)) << static_cast<int>(tested.kind);
            ASSERT_TRUE(tested.holds(shown.column2)) << static_cast<int>(tested.kind);
            sawOddJolly |= tested.kind == ConditionKind::EvenOnly && shown.jolly % 2 == 1;
        }
    }
    // The Jolly is exempt from the condition.
    EXPECT_TRUE(sawOddJolly);
}

TEST_F(ManySeries, APhraseGivesTwoDifferentColumnsAndADifferentSeriesEachTime) {
    conditions.kind = ConditionKind::Phrase;
    conditions.phrase = "Mario Rossi";
    const Shown first = drawSeries();
    const Shown second = drawSeries();
    EXPECT_NE(first.column1, first.column2);
    EXPECT_NE(first.column1, second.column1);
    EXPECT_NE(first.column2, second.column2);
}

TEST_F(ManySeries, TheRandomColourBoxTakesEachOfTheSixColours) {
    conditions.showJollyNumber = false;
    conditions.showRandomColour = true;
    std::set<BallColour> seen;
    for (int i = 0; i < 600; ++i) {
        const Shown shown = drawSeries();
        ASSERT_TRUE(shown.jollyColour.has_value());
        seen.insert(*shown.jollyColour);
    }
    EXPECT_EQ(seen, (std::set<BallColour>(kBallColours.begin(), kBallColours.end())));
}

}  // namespace
}  // namespace quintara::draw
