// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/xoshiro_random_source.h"

namespace quintara::platform {
namespace {

std::vector<double> take(RandomSource& source, int count) {
    std::vector<double> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(source.next());
    }
    return values;
}

TEST(XoshiroRandomSource, ValuesLieInTheUnitInterval) {
    auto source = XoshiroRandomSource::withFixedState(1);
    for (const double value : take(source, 100000)) {
        ASSERT_GE(value, 0.0);
        ASSERT_LT(value, 1.0);
    }
}

TEST(XoshiroRandomSource, ReseedingWithAnEarlierSeedDoesNotRepeatTheSequence) {
    auto source = XoshiroRandomSource::withFixedState(7);
    source.reseed(1234.0);
    const auto first = take(source, 7);
    source.reseed(1234.0);
    const auto second = take(source, 7);
    EXPECT_NE(first, second);
}

TEST(XoshiroRandomSource, ReseedingTwiceInARowIsNotUndone) {
    auto once = XoshiroRandomSource::withFixedState(7);
    auto twice = XoshiroRandomSource::withFixedState(7);
    twice.reseed(5.0);
    twice.reseed(5.0);
    EXPECT_NE(take(once, 4), take(twice, 4));
}

TEST(XoshiroRandomSource, TheSeedShapesTheSequence) {
    auto a = XoshiroRandomSource::withFixedState(3);
    auto b = XoshiroRandomSource::withFixedState(3);
    a.reseed(100.0);
    b.reseed(101.0);
    EXPECT_NE(take(a, 4), take(b, 4));
}

TEST(XoshiroRandomSource, AFixedStateRepeatsForTests) {
    auto a = XoshiroRandomSource::withFixedState(11);
    auto b = XoshiroRandomSource::withFixedState(11);
    a.reseed(2.5);
    b.reseed(2.5);
    EXPECT_EQ(take(a, 10), take(b, 10));
}

TEST(XoshiroRandomSource, TwoSourcesFromTheSystemStartDifferently) {
    XoshiroRandomSource a;
    XoshiroRandomSource b;
    EXPECT_NE(take(a, 4), take(b, 4));
}

TEST(XoshiroRandomSource, UsesAllFiftyThreeBits) {
    auto source = XoshiroRandomSource::withFixedState(5);
    std::set<double> distinct;
    bool sawOddMultiple = false;
    for (const double value : take(source, 1000)) {
        distinct.insert(value);
        // A value with fewer random bits would be a multiple of a larger power of two.
        sawOddMultiple |= static_cast<std::uint64_t>(value * 0x1.0p53) % 2 == 1;
    }
    EXPECT_EQ(distinct.size(), 1000u);
    EXPECT_TRUE(sawOddMultiple);
}

}  // namespace
}  // namespace quintara::platform
