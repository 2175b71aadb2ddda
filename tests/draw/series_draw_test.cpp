// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "draw/series_draw.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <optional>
#include <vector>

#include "platform/xoshiro_random_source.h"
#include "support/scripted_random_source.h"

namespace quintara::draw {
namespace {

using settings::ConditionKind;
using Column = std::array<std::int16_t, 6>;
using settings::DrawConditions;
using settings::DrawRange;
using testing::FixedClock;
using testing::ScriptedRandomSource;
using testing::valuePicking;

class ColumnDraw : public ::testing::Test {
protected:
    // Script the random values that pick these numbers from the range, in order.
    void script(std::initializer_list<int> numbers) {
        for (const int number : numbers) {
            random.add({valuePicking(number, range.first, range.count)});
        }
    }

    // A draw under the conditions and range as the test has set them, `attempts` attempts made.
    SeriesDraw& drawn(long attempts) {
        draw.emplace(random, clock, settings::drawRuleOf(conditions), range);
        draw->advance(attempts);
        return *draw;
    }
    const Column& column(int number) const { return draw->series().columns[number - 1]; }

    ScriptedRandomSource random;
    FixedClock clock{3600.25f};
    DrawConditions conditions = settings::dialogDefaults();
    DrawRange range{1, 90};
    std::optional<SeriesDraw> draw;
};

TEST_F(ColumnDraw, SixNumbersComeInAscendingOrderAndTheSeventhIsTheJolly) {
    script({42, 7, 88, 15, 3, 60, 20});
    drawn(1);
    EXPECT_EQ(column(1), (Column{3, 7, 15, 42, 60, 88}));
    EXPECT_EQ(draw->series().jolly, 20);
    EXPECT_EQ(random.remaining(), 0u);
}

TEST_F(ColumnDraw, EachAttemptReseedsFromTheClockOnce) {
    script({1, 2, 3, 4, 5, 6, 7});
    drawn(1);
    EXPECT_EQ(random.seeds, (std::vector<double>{3600.25}));
}

TEST_F(ColumnDraw, AClashIsRedrawnInPlaceBeforeTheNextSlot) {
    // 42 again for slot 2, and 7 again for the Jolly slot.
    script({42, 7, 42, 88, 15, 3, 60, 7, 20});
    drawn(1);
    EXPECT_EQ(column(1), (Column{3, 7, 15, 42, 60, 88}));
    EXPECT_EQ(draw->series().jolly, 20);
    EXPECT_EQ(random.drawn, 9);
}

// What the Jolly box shows once column one, or both, are drawn: column one's seventh number, or
// a colour each column draws anew.
struct JollyBoxCase {
    const char* name;
    bool showNumber;
    int columns;
    std::optional<BallColour> colour;

    friend void PrintTo(const JollyBoxCase& c, std::ostream* os) { *os << c.name; }
};

class JollyBox : public ColumnDraw, public ::testing::WithParamInterface<JollyBoxCase> {};

TEST_P(JollyBox, ShowsColumnOnesNumberOrTheLastColumnsColour) {
    const auto& row = GetParam();
    conditions.showJollyNumber = row.showNumber;
    conditions.showRandomColour = !row.showNumber;
    script({42, 70, 88, 15, 3, 60, 7});
    random.add(row.showNumber ? std::vector<double>{} : std::vector{0.55});  // yellow
    if (row.columns == 2) {
        // Column two draws its own seventh number, 17, and shows none of it.
        script({11, 12, 13, 14, 15, 16, 17});
        random.add(row.showNumber ? std::vector<double>{} : std::vector{0.9});  // orange
    }
    EXPECT_EQ(drawn(row.columns).state(), row.columns == 2 ? DrawState::Drawn : DrawState::Drawing);
    if (row.columns == 2) {
        EXPECT_EQ(column(2), (Column{11, 12, 13, 14, 15, 16}));
    }
    EXPECT_EQ(random.remaining(), 0u);
    EXPECT_EQ(column(1), (Column{3, 15, 42, 60, 70, 88}));
    EXPECT_EQ(draw->series().jolly, 7);
    EXPECT_EQ(draw->series().jollyColour, row.colour);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JollyBox,
    ::testing::Values(JollyBoxCase{"Number", true, 1, std::nullopt},
                      JollyBoxCase{"ColumnTwoShowsColumnOnesNumber", true, 2, std::nullopt},
                      JollyBoxCase{"ColourOfColumnOne", false, 1, BallColour::Yellow},
                      JollyBoxCase{"ColourOfColumnTwo", false, 2, BallColour::Orange}),
    [](const auto& info) { return info.param.name; });

TEST_F(ColumnDraw, APhraseSeedsWithTheSumOfItsWindows1252Codes) {
    conditions.kind = ConditionKind::Phrase;
    conditions.phrase = "Aè";
    script({1, 2, 3, 4, 5, 6, 7});
    drawn(1);
    EXPECT_EQ(random.seeds, (std::vector<double>{65 + 232}));
    EXPECT_EQ(clock.reads, 0);
}

double phraseSeedOf(const std::string& phrase) {
    DrawConditions conditions;
    conditions.phrase = phrase;
    return settings::drawRuleOf(conditions).phraseSeed;
}

TEST(PhraseSeed, CountsCaseAndGivesZeroForAnEmptyPhrase) {
    EXPECT_EQ(phraseSeedOf(""), 0);
    EXPECT_EQ(phraseSeedOf("abc"), 97 + 98 + 99);
    EXPECT_NE(phraseSeedOf("MARIO"), phraseSeedOf("mario"));
    EXPECT_EQ(phraseSeedOf("Ł"), 63);
}

TEST_F(ColumnDraw, AFailedColumnIsDrawnAgainFromTheSeed) {
    conditions.kind = ConditionKind::EvenOnly;
    script({1, 2, 4, 6, 8, 10, 3});   // 1 is odd: fails
    script({2, 4, 6, 8, 10, 12, 5});  // passes
    drawn(2);
    EXPECT_EQ(draw->attemptsOfColumn(), 2);
    EXPECT_EQ(random.seeds.size(), 2u);
    EXPECT_EQ(column(1), (Column{2, 4, 6, 8, 10, 12}));
    EXPECT_EQ(draw->series().jolly, 5);
}

TEST_F(ColumnDraw, SevenCandidatesFillTheSlotsAndTheJollyIsTheOneNotShown) {
    range = {1, 7};
    script({5, 3, 1, 7, 2, 6, 4});
    drawn(1);
    EXPECT_EQ(column(1), (Column{1, 2, 3, 5, 6, 7}));
    EXPECT_EQ(draw->series().jolly, 4);
}

TEST_F(ColumnDraw, CandidatesRunFromTheFirstForTheirCount) {
    range = {10, 20};
    random.add({0.0, 0.9999999});  // the first and the last candidate
    script({20, 11, 12, 13, 14});
    drawn(1);
    EXPECT_EQ(column(1), (Column{10, 11, 12, 13, 20, 29}));
}

struct RangeCase {
    const char* name;
    DrawRange range;
    bool drawable;

    friend void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.name; }
};

class RangeGuard : public ::testing::TestWithParam<RangeCase> {};

TEST_P(RangeGuard, OnlyRangesWithSevenCandidatesFrom1To32767AreDrawn) {
    EXPECT_EQ(rangeIsDrawable(GetParam().range), GetParam().drawable);
}

INSTANTIATE_TEST_SUITE_P(Cases, RangeGuard,
                         ::testing::Values(RangeCase{"SevenCandidates", {1, 7}, true},
                                           RangeCase{"SixCandidates", {1, 6}, false},
                                           RangeCase{"EmptyRangeTo", {1, 0}, false},
                                           RangeCase{"NegativeSpread", {1, -5}, false},
                                           RangeCase{"ZeroLow", {0, 49}, false},
                                           RangeCase{"NegativeLow", {-5, 90}, false},
                                           RangeCase{"TopAt32767", {32761, 7}, true},
                                           RangeCase{"TopBeyond32767", {32762, 7}, false},
                                           RangeCase{"BothLarge", {32767, 32767}, false}),
                         [](const auto& info) { return info.param.name; });

TEST_F(ColumnDraw, AnInvalidRangeDrawsNothing) {
    range = {1, 6};
    EXPECT_EQ(drawn(1000).state(), DrawState::InvalidRange);
    EXPECT_EQ(random.drawn, 0);
    EXPECT_EQ(draw->series(), Series{});
}

// A refused series makes no attempt: the range is what is wrong, even where no column of it
// could meet the condition either.
TEST_F(ColumnDraw, ARefusedSeriesMakesNoAttempt) {
    struct Refusal {
        const char* name;
        ConditionKind kind;
        std::string tensDigits;
        DrawRange range;
        DrawState state;
    };
    const Refusal refusals[] = {
        {"six candidates", ConditionKind::NoCondition, "", {1, 6}, DrawState::InvalidRange},
        {"six candidates, even only", ConditionKind::EvenOnly, "", {1, 6}, DrawState::InvalidRange},
        {"no eighties in 1..49", ConditionKind::TensDigit, "8", {1, 49}, DrawState::NoSeriesFound},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.name);
        range = refusal.range;
        conditions.kind = refusal.kind;
        conditions.tensDigits = refusal.tensDigits;
        EXPECT_EQ(drawn(1000).state(), refusal.state);
        EXPECT_EQ(draw->attemptsOfColumn(), 0);
        EXPECT_EQ(random.drawn, 0);
    }
}

// Two required numbers among 6,000 candidates pass about one attempt in 1.2 million. This fixed
// generator state needs more than a million attempts, on a 256 KiB stack: the draw neither gives
// up after a set number of attempts nor recurses once per attempt, and it goes slice by slice,
// as the window makes it.
TEST(LongDraw, AColumnIsDrawnHoweverManyAttemptsItTakesWithoutGrowingTheStack) {
    struct Run {
        long slices = 0;
        Column column{};
    } run;
    const auto body = [](void* argument) -> void* {
        auto& result = *static_cast<Run*>(argument);
        auto random = platform::XoshiroRandomSource::withFixedState(11);
        testing::FixedClock clock;
        DrawConditions conditions = settings::dialogDefaults();
        conditions.kind = ConditionKind::MustContain;
        conditions.firstNumber = "6000";
        conditions.secondNumber = "1";
        SeriesDraw draw(random, clock, settings::drawRuleOf(conditions), DrawRange{1, 6000});
        while (draw.series().columns[0] == Column{}) {
            draw.advance(4096);
            ++result.slices;
        }
        result.column = draw.series().columns[0];
        return nullptr;
    };
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 256 * 1024);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attributes, body, &run), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    EXPECT_GT(run.slices * 4096, 1'000'000);
    EXPECT_EQ(run.column.front(), 1);
    EXPECT_EQ(run.column.back(), 6000);
}

}  // namespace
}  // namespace quintara::draw
