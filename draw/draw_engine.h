// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <functional>

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
    // No column of the candidates can meet the condition; nothing was drawn.
    NoPassingColumn,
};

// A column is drawn again until it passes, with no bound on the attempts: a condition no column
// of the candidates can meet is refused before the first attempt, and every other one passes
// sooner or later. A bound would turn a slow draw into a false "no series" message: the slowest
// condition a settings file can hold, two required numbers among 32,767 candidates (or a tens
// digit that only two of them have), passes one attempt in about 36 million, n(n-1)/30 for n
// candidates. Over 1..90 it takes about 267.

// A long draw calls the engine's progress hook every so many attempts, about a millisecond
// apart, so that the window can show it is still at work.
inline constexpr long kAttemptsPerProgressReport = 4096;

// True when RangeLow and RangeHigh leave at least seven candidates, all from 1 to 32767.
bool rangeIsDrawable(const settings::DrawRange& range);

// Draws the columns of a series: each attempt re-seeds the random source, fills seven distinct
// slots from the candidates, sets the Jolly box, sorts the first six into the column's labels
// and tests them; the first attempt that passes stays.
class DrawEngine {
public:
    using ProgressHook = std::function<void()>;

    DrawEngine(platform::RandomSource& random, platform::Clock& clock, NumberDisplay& display,
               ProgressHook stillDrawing = {});

    // Draws column 1 or 2 until it meets the conditions, or refuses a range or a condition
    // that cannot give a column.
    ColumnOutcome DrawColumn(int column, const settings::DrawConditions& conditions,
                             const settings::DrawRange& range);

    long attemptsOfLastColumn() const { return attempts_; }

private:
    using Slots = std::array<std::int16_t, 7>;

    // Sorts slots 0..5 of the column into Sorted, largest first from the right, emptying the
    // slots and writing each label as it goes (rightmost first); then tests the column.
    bool CheckColumn(int column, const ColumnTest& test);

    Slots& slotsOf(int column) { return column == 1 ? Slots1 : Slots2; }
    void seed(const settings::DrawConditions& conditions);
    void fillSlots(Slots& slots, const settings::DrawRange& range);
    void showJollyBox(const settings::DrawConditions& conditions);

    // Working state, kept from series to series: slot 6 of Slots1 holds the Jolly number. What
    // the user sees of it goes through the display.
    Slots Slots1{};
    Slots Slots2{};
    std::array<std::int16_t, 7> Sorted{};
    double PhraseSum = 0.0;
    const JollyColourTable ColorTable{};

    platform::RandomSource& random_;
    platform::Clock& clock_;
    NumberDisplay& display_;
    ProgressHook stillDrawing_;
    long attempts_ = 0;
};

// The sum of the phrase's Windows-1252 character codes, as typed (case counts).
double phraseSumOf(const std::string& phraseText);

}  // namespace quintara::draw
