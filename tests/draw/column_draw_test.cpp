// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <vector>

#include "draw/draw_engine.h"
#include "support/recording_display.h"
#include "support/scripted_random_source.h"

namespace quintara::draw {
namespace {

using settings::ConditionKind;
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
            random.add({valuePicking(number, range.RangeLow, range.RangeHigh)});
        }
    }

    ScriptedRandomSource random;
    FixedClock clock{3600.25f};
    RecordingDisplay display;
    DrawEngine engine{random, clock, display};
    DrawConditions conditions = settings::dialogDefaults();
    DrawRange range{1, 90};
};

TEST_F(ColumnDraw, SixNumbersShowInAscendingOrderWrittenFromTheRight) {
    script({42, 7, 88, 15, 3, 60, 20});
    ASSERT_EQ(engine.DrawColumn(1, conditions, range), ColumnOutcome::Passed);
    const std::array<std::string, 6> shown = {"3", "7", "15", "42", "60", "88"};
    EXPECT_EQ(display.numberCaptions[0], shown);
    EXPECT_EQ(display.captionOrder, (std::vector<int>{5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(display.jollyCaption, "20");
    EXPECT_EQ(random.remaining(), 0u);
}

TEST_F(ColumnDraw, EachAttemptReseedsFromTheClockOnce) {
    script({1, 2, 3, 4, 5, 6, 7});
    engine.DrawColumn(1, conditions, range);
    EXPECT_EQ(random.seeds, (std::vector<double>{3600.25}));
}

TEST_F(ColumnDraw, AClashIsRedrawnInPlaceBeforeTheNextSlot) {
    // 42 again for slot 2, and 7 again for the Jolly slot.
    script({42, 7, 42, 88, 15, 3, 60, 7, 20});
    engine.DrawColumn(1, conditions, range);
    EXPECT_EQ(display.numberCaptions[0],
              (std::array<std::string, 6>{"3", "7", "15", "42", "60", "88"}));
    EXPECT_EQ(display.jollyCaption, "20");
    EXPECT_EQ(random.drawn, 9);
}

// What the Jolly box shows once column one, or both, are drawn: column one's seventh number, or
// a colour each column draws anew (kUntouched: none drawn).
struct JollyBoxCase {
    const char* name;
    bool showNumber;
    int columns;
    std::string caption;
    BackStyle style;
    Colour colour;

    friend void PrintTo(const JollyBoxCase& c, std::ostream* os) { *os << c.name; }
};

class JollyBox : public ColumnDraw, public ::testing::WithParamInterface<JollyBoxCase> {};

TEST_P(JollyBox, ShowsColumnOnesNumberOrTheLastColumnsColour) {
    const auto& row = GetParam();
    conditions.ShowJollyNumber = row.showNumber;
    conditions.ShowRandomColor = !row.showNumber;
    script({42, 70, 88, 15, 3, 60, 7});
    random.add(row.showNumber ? std::vector<double>{} : std::vector{0.55});  // 4, yellow
    engine.DrawColumn(1, conditions, range);
    if (row.columns == 2) {
        // Column two draws its own seventh number, 17, and shows none of it.
        script({11, 12, 13, 14, 15, 16, 17});
        random.add(row.showNumber ? std::vector<double>{} : std::vector{0.9});  // 6, orange
        engine.DrawColumn(2, conditions, range);
        EXPECT_EQ(display.numberCaptions[1],
                  (std::array<std::string, 6>{"11", "12", "13", "14", "15", "16"}));
    }
    EXPECT_EQ(random.remaining(), 0u);
    EXPECT_EQ(display.numberCaptions[0],
              (std::array<std::string, 6>{"3", "15", "42", "60", "70", "88"}));
    EXPECT_EQ(display.jollyCaption, row.caption);
    EXPECT_EQ(display.jollyBackStyle, row.style);
    EXPECT_EQ(display.jollyBackColor, row.colour);
}

constexpr Colour kUntouched = 0xFFFFFF;
INSTANTIATE_TEST_SUITE_P(
    Cases, JollyBox,
    ::testing::Values(JollyBoxCase{"NumberWithoutLeadingZeros", true, 1, "7",
                                   BackStyle::Transparent, kUntouched},
                      JollyBoxCase{"ColumnTwoShowsColumnOnesNumber", true, 2, "7",
                                   BackStyle::Transparent, kUntouched},
                      JollyBoxCase{"ColourOfColumnOne", false, 1, "", BackStyle::Opaque, 0x00FFFF},
                      JollyBoxCase{"ColourOfColumnTwo", false, 2, "", BackStyle::Opaque, 0x0080FF}),
    [](const auto& info) { return info.param.name; });

TEST(JollyColourTable, HoldsTheSixBallColoursInOrder) {
    const JollyColourTable table;
    const std::array<Colour, 6> expected = {0x008000, 0x0000FF, 0xFF0000,
                                            0x00FFFF, 0xC000C0, 0x0080FF};
    for (int index = 1; index <= 6; ++index) {
        EXPECT_EQ(table[index], expected[index - 1]) << index;
    }
}

TEST_F(ColumnDraw, APhraseSeedsWithTheSumOfItsWindows1252Codes) {
    conditions.Condition = ConditionKind::Phrase;
    conditions.PhraseText = "Aè";
    script({1, 2, 3, 4, 5, 6, 7});
    engine.DrawColumn(1, conditions, range);
    EXPECT_EQ(random.seeds, (std::vector<double>{65 + 232}));
    EXPECT_EQ(clock.reads, 0);
}

TEST(PhraseSum, CountsCaseAndGivesZeroForAnEmptyPhrase) {
    EXPECT_EQ(phraseSumOf(""), 0);
    EXPECT_EQ(phraseSumOf("abc"), 97 + 98 + 99);
    EXPECT_NE(phraseSumOf("MARIO"), phraseSumOf("mario"));
    EXPECT_EQ(phraseSumOf("Ł"), 63);
}

TEST_F(ColumnDraw, AFailedColumnIsDrawnAgainFromTheSeed) {
    conditions.Condition = ConditionKind::EvenOnly;
    script({1, 2, 4, 6, 8, 10, 3});   // 1 is odd: fails
    script({2, 4, 6, 8, 10, 12, 5});  // passes
    ASSERT_EQ(engine.DrawColumn(1, conditions, range), ColumnOutcome::Passed);
    EXPECT_EQ(engine.attemptsOfLastColumn(), 2);
    EXPECT_EQ(random.seeds.size(), 2u);
    EXPECT_EQ(display.numberCaptions[0],
              (std::array<std::string, 6>{"2", "4", "6", "8", "10", "12"}));
    EXPECT_EQ(display.jollyCaption, "5");
}

TEST_F(ColumnDraw, SevenCandidatesFillTheSlotsAndTheJollyIsTheOneNotShown) {
    range = {1, 7};
    script({5, 3, 1, 7, 2, 6, 4});
    engine.DrawColumn(1, conditions, range);
    EXPECT_EQ(display.numberCaptions[0],
              (std::array<std::string, 6>{"1", "2", "3", "5", "6", "7"}));
    EXPECT_EQ(display.jollyCaption, "4");
}

TEST_F(ColumnDraw, CandidatesRunFromRangeLowForRangeHighNumbers) {
    range = {10, 20};
    random.add({0.0, 0.9999999});  // the first and the last candidate
    script({20, 11, 12, 13, 14});
    engine.DrawColumn(1, conditions, range);
    EXPECT_EQ(display.numberCaptions[0],
              (std::array<std::string, 6>{"10", "11", "12", "13", "20", "29"}));
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
    EXPECT_EQ(engine.DrawColumn(1, conditions, range), ColumnOutcome::InvalidRange);
    EXPECT_EQ(random.drawn, 0);
    EXPECT_EQ(display.captionWrites, 0);
}

}  // namespace
}  // namespace quintara::draw
