// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "draw/column_test.h"

#include <gtest/gtest.h>

namespace quintara::draw {
namespace {

using settings::ConditionKind;
using Column = std::array<std::int16_t, 6>;

struct TestCase {
    const char* name;
    std::optional<ConditionKind> kind;
    std::string first;   // RequiredNumber1, or TensDigits for TensDigit
    std::string second;  // RequiredNumber2
    Column column;
    bool passes;

    friend void PrintTo(const TestCase& c, std::ostream* os) { *os << c.name; }
};

class ConditionTest : public ::testing::TestWithParam<TestCase> {};

TEST_P(ConditionTest, DecidesWhetherTheColumnStays) {
    settings::DrawConditions conditions;
    conditions.Condition = GetParam().kind;
    if (GetParam().kind == ConditionKind::TensDigit) {
        conditions.TensDigits = GetParam().first;
    } else {
        conditions.RequiredNumber1 = GetParam().first;
        conditions.RequiredNumber2 = GetParam().second;
    }
    EXPECT_EQ(ColumnTest(conditions).passes(GetParam().column), GetParam().passes);
}

constexpr Column kColumn = {3, 7, 15, 42, 60, 88};
constexpr auto kMust = ConditionKind::MustContain;
constexpr auto kTens = ConditionKind::TensDigit;

INSTANTIATE_TEST_SUITE_P(
    MustContain, ConditionTest,
    ::testing::Values(
        TestCase{"FirstPresent", kMust, "7", "", kColumn, true},
        TestCase{"FirstAbsent", kMust, "5", "", kColumn, false},
        TestCase{"SecondPresent", kMust, "", "88", kColumn, true},
        TestCase{"SecondAbsent", kMust, "", "89", kColumn, false},
        TestCase{"BothPresent", kMust, "7", "88", kColumn, true},
        TestCase{"OneOfTwoAbsent", kMust, "7", "89", kColumn, false},
        TestCase{"BothEmpty", kMust, "", "", kColumn, true},
        TestCase{"BothZero", kMust, "0", "0", kColumn, true},
        TestCase{"NegativeFirstConstrainsNothing", kMust, "-3", "12", kColumn, true},
        TestCase{"NegativeSecondConstrainsNothing", kMust, "12", "-1", kColumn, true},
        TestCase{"HalfRoundsDownToEven", kMust, "2.5", "", {2, 5, 9, 11, 20, 30}, true},
        TestCase{"HalfRoundsUpToEven", kMust, "3.5", "", {4, 5, 9, 11, 20, 30}, true},
        TestCase{"HalfIsNotTheOddNeighbour", kMust, "3.5", "", {3, 5, 9, 11, 20, 30}, false},
        TestCase{"LettersAfterTheNumber", kMust, "15x", "", kColumn, true},
        TestCase{"OverflowCanNeverBeMet", kMust, "99999", "", kColumn, false},
        TestCase{"NegativeOverflowConstrainsNothing", kMust, "-99999", "5", kColumn, true}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    EvenAndOdd, ConditionTest,
    ::testing::Values(
        TestCase{"EvenOnlyPasses", ConditionKind::EvenOnly, "", "", {2, 4, 6, 8, 10, 90}, true},
        TestCase{
            "EvenOnlyFailsOnOneOdd", ConditionKind::EvenOnly, "", "", {2, 4, 6, 8, 10, 89}, false},
        TestCase{"OddOnlyPasses", ConditionKind::OddOnly, "", "", {1, 3, 5, 7, 9, 89}, true},
        TestCase{
            "OddOnlyFailsOnOneEven", ConditionKind::OddOnly, "", "", {1, 3, 5, 7, 9, 90}, false}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    TensDigit, ConditionTest,
    ::testing::Values(
        TestCase{"TwoInTheThirties", kTens, "3", "", {3, 30, 39, 44, 50, 60}, true},
        TestCase{"ThreeItselfNeverCounts", kTens, "3", "", {3, 13, 30, 44, 50, 60}, false},
        TestCase{"EveryDigitOfTheTextCounts", kTens, "35", "", {1, 31, 44, 57, 60, 70}, true},
        TestCase{"EmptyDigitNeverPasses", kTens, "", "", {30, 31, 32, 33, 34, 35}, false},
        TestCase{"ThreeDigitNumbersNeverCount", kTens, "1", "", {1, 10, 100, 110, 120, 130}, false},
        TestCase{"EightyAndNinety", kTens, "9", "", {1, 2, 3, 4, 90, 99}, true}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    NoConstraint, ConditionTest,
    ::testing::Values(TestCase{"NoCondition", ConditionKind::NoCondition, "5", "", kColumn, true},
                      TestCase{"Phrase", ConditionKind::Phrase, "5", "", kColumn, true},
                      TestCase{"NothingSelected", std::nullopt, "5", "", kColumn, true}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quintara::draw
