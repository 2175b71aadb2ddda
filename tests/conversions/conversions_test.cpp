// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conversions/conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quintara::conversions {
namespace {

struct PrefixCase {
    const char* name;
    std::string text;
    double expected;

    friend void PrintTo(const PrefixCase& c, std::ostream* os) { *os << c.name; }
};

class NumericPrefix : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(NumericPrefix, ReadsTheNumberAtTheStart) {
    EXPECT_DOUBLE_EQ(numericPrefix(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumericPrefix,
    ::testing::Values(
        PrefixCase{"DigitsThenLetters", "12abc", 12}, PrefixCase{"NoNumber", "abc", 0},
        PrefixCase{"Empty", "", 0}, PrefixCase{"LeadingBlank", " 2.5", 2.5},
        PrefixCase{"Negative", "-3", -3}, PrefixCase{"ExplicitPlus", "+7", 7},
        PrefixCase{"OnlyFraction", ".5", 0.5}, PrefixCase{"TrailingPoint", "5.", 5},
        PrefixCase{"LonePoint", ".", 0}, PrefixCase{"LoneSign", "-", 0},
        PrefixCase{"TwoSigns", "--3", 0}, PrefixCase{"BlanksInsideAreSkipped", " 1 2\t3", 123},
        PrefixCase{"LineFeedSkipped", "\n4\n5", 45}, PrefixCase{"CarriageReturnEndsIt", "4\r5", 4},
        PrefixCase{"ExponentE", "1E2", 100}, PrefixCase{"ExponentD", "15D-1", 1.5},
        PrefixCase{"ExponentWithPlus", "9E+1", 90}, PrefixCase{"LowerCaseExponent", "2e3", 2000},
        PrefixCase{"ExponentWithoutDigits", "7E", 7}, PrefixCase{"ExponentOnly", "E5", 0},
        PrefixCase{"CommaEndsIt", "1,5", 1}, PrefixCase{"SecondPointEndsIt", "1.2.3", 1.2},
        PrefixCase{"TinyExponent", "1E-400", 0},
        PrefixCase{"LongMantissaWithASmallerExponentOverflows", "1" + std::string(400, '0') + "e-5",
                   std::numeric_limits<double>::infinity()},
        PrefixCase{"TinyFractionWithoutExponentIsZero", "0." + std::string(400, '0') + "1", 0},
        PrefixCase{"TinyFractionWithALargerExponentIsZero", "0." + std::string(400, '0') + "1e5",
                   0},
        PrefixCase{"ExponentOfTwentyDigitsOverflows", "1e99999999999999999999",
                   std::numeric_limits<double>::infinity()},
        // Past a 64-bit integer too: an exponent that wrapped round would land on the other side.
        PrefixCase{"ExponentPastEveryIntegerOverflows", "1e9300000000000000000",
                   std::numeric_limits<double>::infinity()},
        PrefixCase{"NegativeExponentPastEveryIntegerIsZero", "1e-9300000000000000000", 0}),
    [](const auto& info) { return info.param.name; });

TEST(NumericPrefix, HugeNumbersBecomeInfinityOfTheirSign) {
    EXPECT_EQ(numericPrefix("1E400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(numericPrefix("-1E400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(numericPrefix(std::string(5000, '9')), std::numeric_limits<double>::infinity());
}

struct RoundCase {
    const char* name;
    double value;
    std::optional<std::int16_t> expected;

    friend void PrintTo(const RoundCase& c, std::ostream* os) { *os << c.name; }
};

class RoundToInt16 : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundToInt16, RoundsHalvesToEvenAndRefusesOverflow) {
    EXPECT_EQ(roundToInt16(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoundToInt16,
    ::testing::Values(RoundCase{"HalfDownToEven", 2.5, 2}, RoundCase{"HalfUpToEven", 3.5, 4},
                      RoundCase{"NegativeHalf", -2.5, -2}, RoundCase{"NegativeOddHalf", -3.5, -4},
                      RoundCase{"BelowHalf", 2.49, 2}, RoundCase{"AboveHalf", 2.51, 3},
                      RoundCase{"Largest", 32767.0, 32767},
                      RoundCase{"LargestPlusHalfOverflows", 32767.5, std::nullopt},
                      RoundCase{"Smallest", -32768.0, -32768},
                      RoundCase{"SmallestMinusHalfIsEven", -32768.5, -32768},
                      RoundCase{"BelowSmallestOverflows", -32769.0, std::nullopt},
                      RoundCase{"Infinity", std::numeric_limits<double>::infinity(), std::nullopt},
                      RoundCase{"NotANumber", std::nan(""), std::nullopt}),
    [](const auto& info) { return info.param.name; });

TEST(IntegerPart, IsTheLargestWholeNumberNotAbove) {
    EXPECT_EQ(integerPart(3.99), 3);
    EXPECT_EQ(integerPart(-0.5), -1);
    EXPECT_EQ(integerPart(0.9999999 * 90), 89);
}

}  // namespace
}  // namespace quintara::conversions
