// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "draw/column_rule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

namespace quintara::draw {
namespace {

using settings::ConditionKind;
using Column = std::array<std::int16_t, 6>;

struct TestCase {
    const char* name;
    std::optional<ConditionKind> kind;
    std::string first;   // the first number, or the tens digit for TensDigit
    std::string second;  // the second number
    Column column;
    bool passes;

    friend void PrintTo(const TestCase& c, std::ostream* os) { *os << c.name; }
};

class ConditionTest : public ::testing::TestWithParam<TestCase> {};

TEST_P(ConditionTest, DecidesWhetherTheColumnStays) {
    settings::DrawConditions conditions;
    conditions.kind = GetParam().kind;
    if (GetParam().kind == ConditionKind::TensDigit) {
        conditions.tensDigits = GetParam().first;
    } else {
        conditions.firstNumber = GetParam().first;
        conditions.secondNumber = GetParam().second;
    }
    EXPECT_EQ(ColumnRule(settings::drawRuleOf(conditions)).passes(GetParam().column),
              GetParam().passes);
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

// Whether some column of six candidates passes, found by trying columns. They are tried up to
// what the condition can tell apart: the candidates fall into classes whose members it treats
// alike (numbers of one parity, of one ten, a required number), and every choice of how many
// members a column takes from each class is tried, with the first members of each.
class ColumnSearch {
public:
    ColumnSearch(const ColumnRule& rule, const settings::DrawRange& range,
                 const std::function<int(int)>& classOf)
        : rule_(rule) {
        std::map<int, std::vector<std::int16_t>> classes;
        for (int number = range.first; number < range.first + range.count; ++number) {
            classes[classOf(number)].push_back(static_cast<std::int16_t>(number));
        }
        for (auto& [key, members] : classes) {
            classes_.push_back(std::move(members));
        }
    }

    bool somePasses() { return tryFrom(0, 6); }

private:
    bool tryFrom(std::size_t nextClass, int left) {
        if (left == 0) {
            Column column{};
            std::copy(chosen_.begin(), chosen_.end(), column.begin());
            std::sort(column.begin(), column.end());
            return rule_.passes(column);
        }
        if (nextClass == classes_.size()) {
            return false;
        }
        const auto& members = classes_[nextClass];
        const int most = std::min(left, static_cast<int>(members.size()));
        for (int taken = 0; taken <= most; ++taken) {
            chosen_.insert(chosen_.end(), members.begin(), members.begin() + taken);
            const bool found = tryFrom(nextClass + 1, left - taken);
            chosen_.resize(chosen_.size() - static_cast<std::size_t>(taken));
            if (found) {
                return true;
            }
        }
        return false;
    }

    const ColumnRule& rule_;
    std::vector<std::vector<std::int16_t>> classes_;
    std::vector<std::int16_t> chosen_;
};

// A required number's text and the number it stands for.
struct Required {
    std::string text;
    int value;
};

// One condition of a kind, with the classes a column search needs for it.
struct Probe {
    settings::DrawConditions conditions;
    std::function<int(int)> classOf;
};

std::vector<Probe> mustContainProbes(int low, int high) {
    std::vector<Required> singles = {{"", 0}, {"-3", -3}, {"2.5", 2}, {"3.5", 4}, {"99999", 99999}};
    // Every number of a small range and round it, only the ends of a wide one.
    for (int number = low - 2; number <= high + 2; ++number) {
        if (high - low < 60 || number < low + 3 || number > high - 3) {
            singles.push_back({std::to_string(number), number});
        }
    }
    const std::vector<Required> edges = {{"-3", -3},
                                         {"0", 0},
                                         {"2.5", 2},
                                         {"3.5", 4},
                                         {std::to_string(low - 1), low - 1},
                                         {std::to_string(low), low},
                                         {std::to_string(high), high},
                                         {std::to_string(high + 1), high + 1},
                                         {"99999", 99999}};
    std::vector<std::pair<Required, Required>> pairs;
    for (const Required& single : singles) {
        pairs.push_back({single, {"", 0}});
        pairs.push_back({{"", 0}, single});
    }
    for (const Required& first : edges) {
        for (const Required& second : edges) {
            pairs.push_back({first, second});
        }
    }
    std::vector<Probe> probes;
    for (const auto& [first, second] : pairs) {
        settings::DrawConditions conditions;
        conditions.kind = ConditionKind::MustContain;
        conditions.firstNumber = first.text;
        conditions.secondNumber = second.text;
        probes.push_back({conditions, [v1 = first.value, v2 = second.value](int number) {
                              return number == v1 ? 1 : (number == v2 ? 2 : 0);
                          }});
    }
    return probes;
}

std::vector<Probe> tensDigitProbes() {
    std::vector<Probe> probes;
    for (const char* digits : {"", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "35", "x"}) {
        settings::DrawConditions conditions;
        conditions.kind = ConditionKind::TensDigit;
        conditions.tensDigits = digits;
        probes.push_back({conditions, [](int number) {
                              return number >= 10 && number <= 99 ? number / 10 : 0;
                          }});
    }
    return probes;
}

std::vector<Probe> probesOf(std::optional<ConditionKind> kind, int low, int high) {
    if (kind == ConditionKind::MustContain) {
        return mustContainProbes(low, high);
    }
    if (kind == ConditionKind::TensDigit) {
        return tensDigitProbes();
    }
    settings::DrawConditions conditions;
    conditions.kind = kind;
    return {{conditions, [](int number) { return number % 2; }}};
}

class Feasibility : public ::testing::TestWithParam<std::optional<ConditionKind>> {};

// Every range from 1..7 to 20..59 and a few only a hand-edited file can hold, every required
// number in and around the range, and every tens digit.
std::vector<settings::DrawRange> testedRanges() {
    std::vector<settings::DrawRange> ranges = {{1, 32767}, {95, 32000}, {99, 101}, {32755, 13}};
    for (std::int16_t low = 1; low <= 20; ++low) {
        for (std::int16_t spread = 7; spread <= 40; ++spread) {
            ranges.push_back({low, spread});
        }
    }
    return ranges;
}

TEST_P(Feasibility, SomeColumnCanPassExactlyWhenTheDecisionSaysSo) {
    int agreedPossible = 0;
    int agreedImpossible = 0;
    int disagreed = 0;
    for (const settings::DrawRange& range : testedRanges()) {
        const int low = range.first;
        const int high = low + range.count - 1;
        for (const Probe& probe : probesOf(GetParam(), low, high)) {
            const ColumnRule rule(settings::drawRuleOf(probe.conditions));
            const bool found = ColumnSearch(rule, range, probe.classOf).somePasses();
            if (rule.canBeMetOver(range) != found && ++disagreed <= 5) {
                ADD_FAILURE() << "from " << low << ", " << range.count << " candidates, \""
                              << probe.conditions.firstNumber << "\" \""
                              << probe.conditions.secondNumber << "\" \""
                              << probe.conditions.tensDigits << "\": a column "
                              << (found ? "passes" : "never passes");
            }
            ++(found ? agreedPossible : agreedImpossible);
        }
    }
    EXPECT_EQ(disagreed, 0);
    EXPECT_GT(agreedPossible, 0);
    const bool alwaysPossible = GetParam() == ConditionKind::NoCondition ||
                                GetParam() == ConditionKind::Phrase || !GetParam();
    EXPECT_EQ(agreedImpossible > 0, !alwaysPossible);
}

std::string kindName(const ::testing::TestParamInfo<std::optional<ConditionKind>>& info) {
    constexpr std::array<const char*, 6> kNames = {"MustContain", "Phrase",  "NoCondition",
                                                   "EvenOnly",    "OddOnly", "TensDigit"};
    return info.param ? kNames[static_cast<std::size_t>(*info.param)] : "NothingSelected";
}

INSTANTIATE_TEST_SUITE_P(EveryKind, Feasibility,
                         ::testing::Values(ConditionKind::MustContain, ConditionKind::Phrase,
                                           ConditionKind::NoCondition, ConditionKind::EvenOnly,
                                           ConditionKind::OddOnly, ConditionKind::TensDigit,
                                           std::nullopt),
                         kindName);

}  // namespace
}  // namespace quintara::draw
