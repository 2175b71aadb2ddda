// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>

#include "draw/column_test.h"
#include "draw/display.h"
#include "draw/jolly_colour_table.h"
#include "platform/clock.h"
#include "platform/random_source.h"
#include "settings/draw_conditions.h"

namespace quintara::draw {

enum class ColumnOutcome {
    Passed,
    // Fewer than seven candidates, candidates below 1, or candidates beyond 16 bits.
    InvalidRange,
    // The condition was still not met after the most attempts a column may take.
    NoPassingColumn,
};

// Why the bound is safe: the range fields hold at most two characters, and the least likely
// condition that can be met at all -- even numbers only, with just six even numbers among
// thirteen candidates -- still passes one attempt in C(13,6) = 1,716. A million attempts then all
// fail by chance with a probability of about e^-583: never. Two required numbers over 1..90,
// the slowest condition in normal use, need about 267 attempts on average.
inline constexpr long kMaxAttemptsPerColumn = 1'000'000;

// True when RangeLow and RangeHigh leave at least seven candidates, all from 1 to 32767.
bool rangeIsDrawable(const settings::DrawRange& range);

// Draws the columns of a series: each attempt re-seeds the random source, fills seven distinct
// slots from the candidates, sets the Jolly box, sorts the first six into the column's labels
// and tests them; the first attempt that passes stays.
class DrawEngine {
public:
    using Slots = std::array<std::int16_t, 7>;

    DrawEngine(platform::RandomSource& random, platform::Clock& clock, NumberDisplay& display,
               long maxAttemptsPerColumn = kMaxAttemptsPerColumn);

    // Draws column 1 or 2 until it meets the conditions.
    ColumnOutcome DrawColumn(int column, const settings::DrawConditions& conditions,
                             const settings::DrawRange& range);

    // Sorts slots 0..5 of the column into Sorted, largest first from the right, emptying the
    // slots and writing each label as it goes (rightmost first); then tests the column.
    bool CheckColumn(int column, const ColumnTest& test);

    long attemptsOfLastColumn() const { return attempts_; }

    // Working state, kept from series to series: slot 6 of Slots1 holds the Jolly number.
    Slots Slots1{};
    Slots Slots2{};
    std::array<std::int16_t, 7> Sorted{};
    double PhraseSum = 0.0;
    const JollyColourTable ColorTable{};

private:
    Slots& slotsOf(int column) { return column == 1 ? Slots1 : Slots2; }
    void seed(const settings::DrawConditions& conditions);
    void fillSlots(Slots& slots, const settings::DrawRange& range);
    void showJollyBox(const settings::DrawConditions& conditions);

    platform::RandomSource& random_;
    platform::Clock& clock_;
    NumberDisplay& display_;
    long maxAttemptsPerColumn_;
    long attempts_ = 0;
};

// The sum of the phrase's Windows-1252 character codes, as typed (case counts).
double phraseSumOf(const std::string& phraseText);

}  // namespace quintara::draw
