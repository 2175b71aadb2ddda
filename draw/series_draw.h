// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>

#include "draw/column_rule.h"
#include "draw/series.h"
#include "platform/clock.h"
#include "platform/random_source.h"
#include "settings/draw_rule.h"

namespace quintara::draw {

enum class DrawState {
    Drawing,
    Drawn,
    // Fewer than seven candidates, candidates below 1, or candidates beyond 16 bits; nothing was
    // drawn.
    InvalidRange,
    // No column of the candidates can meet the condition; nothing was drawn.
    NoSeriesFound,
};

// A column is drawn again until it passes, with no bound on the attempts: a condition no column
// of the candidates can meet is refused before the first attempt, and every other one passes
// sooner or later. A bound would turn a slow draw into a false "no series" message: the slowest
// condition a settings file can hold, two required numbers among 32,767 candidates (or a tens
// digit that only two of them have), passes one attempt in about 36 million, n(n-1)/30 for n
// candidates. Over 1..90 it takes about 267.

// True when the range leaves at least seven candidates, all from 1 to 32767.
bool rangeIsDrawable(const settings::DrawRange& range);

// Draws one series, column 1 and then column 2, as many attempts at a time as the caller lets it:
// a hand-edited range can make a draw take millions of attempts, and the window goes on answering
// between them. Each attempt re-seeds the random source (from the phrase, or from the clock),
// fills seven distinct slots from the candidates, gives the Jolly box its part, and tests the
// first six in ascending order; the first attempt that passes makes the column.
class SeriesDraw {
public:
    SeriesDraw(platform::RandomSource& random, platform::Clock& clock, settings::DrawRule rule,
               settings::DrawRange range);
    SeriesDraw(const SeriesDraw&) = delete;
    SeriesDraw& operator=(const SeriesDraw&) = delete;

    // Makes at most `attempts` more attempts; Drawing while the series is not yet whole.
    DrawState advance(long attempts);

    DrawState state() const { return state_; }
    // The series, once Drawn.
    const Series& series() const { return series_; }
    // The attempts the column being drawn (or the last one drawn) has taken so far, and the
    // series in all.
    long attemptsOfColumn() const { return attempts_; }
    long attempts() const { return attemptsInAll_; }

private:
    using Slots = std::array<std::int16_t, 7>;

    bool attempt();
    void fillSlots();
    void takeJollyPart();

    platform::RandomSource& random_;
    platform::Clock& clock_;
    const ColumnRule columnRule_;
    const settings::DrawRange range_;

    DrawState state_ = DrawState::Drawing;
    int column_ = 0;
    long attempts_ = 0;
    long attemptsInAll_ = 0;
    bool columnDone_ = false;
    Slots slots_{};
    Series series_;
};

}  // namespace quintara::draw
