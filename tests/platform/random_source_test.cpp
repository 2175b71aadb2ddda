// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <utility>
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

// Two sources from one fixed state (the system's entropy where there is none) are re-seeded in
// turn, each re-seed followed by so many values drawn; their next values are then alike or not.
struct TwoSourcesCase {
    const char* name;
    std::optional<std::uint64_t> state;
    std::vector<std::pair<double, int>> first, second;
    bool alike;

    friend void PrintTo(const TwoSourcesCase& c, std::ostream* os) { *os << c.name; }
};

std::vector<double> valuesAfter(std::optional<std::uint64_t> state,
                                const std::vector<std::pair<double, int>>& reseeds) {
    auto source = state ? XoshiroRandomSource::withFixedState(*state) : XoshiroRandomSource();
    for (const auto& [seed, drawn] : reseeds) {
        source.reseed(seed);
        take(source, drawn);
    }
    return take(source, 10);
}

class TwoSources : public ::testing::TestWithParam<TwoSourcesCase> {};

TEST_P(TwoSources, GiveTheSameValuesOnlyFromTheSameStateAndSeeds) {
    const auto& row = GetParam();
    EXPECT_EQ(valuesAfter(row.state, row.first) == valuesAfter(row.state, row.second), row.alike);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TwoSources,
    ::testing::Values(
        TwoSourcesCase{"AFixedStateRepeatsForTests", 11, {{2.5, 0}}, {{2.5, 0}}, true},
        TwoSourcesCase{"TheSeedShapesTheSequence", 3, {{100.0, 0}}, {{101.0, 0}}, false},
        // A phrase re-seeds each column with the same sum: the second is not the first again.
        TwoSourcesCase{"ReseedingWithAnEarlierSeedDoesNotRepeatTheSequence",
                       7,
                       {{1234.0, 0}},
                       {{1234.0, 7}, {1234.0, 0}},
                       false},
        TwoSourcesCase{"ReseedingTwiceInARowIsNotUndone", 7, {}, {{5.0, 0}, {5.0, 0}}, false},
        TwoSourcesCase{"TwoSourcesFromTheSystemStartDifferently", std::nullopt, {}, {}, false}),
    [](const auto& info) { return info.param.name; });

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
