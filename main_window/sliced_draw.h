// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTimer>
#include <functional>
#include <optional>

#include "draw/series_draw.h"
#include "main_window/long_draw_cursor.h"
#include "platform/clock.h"
#include "platform/random_source.h"
#include "settings/draw_rule.h"

namespace quintara::main_window {

// Attempts a slice of a draw makes before the window answers again: about a millisecond's worth.
inline constexpr long kAttemptsPerSlice = 4096;

// Draws a series from the event loop, a slice of attempts at a time, and back to the event loop
// before the next: a draw over a hand-edited range of thousands of numbers can take seconds, and
// the window answers throughout, under the wait cursor.
class SlicedDraw {
public:
    // How the draw ended, and the series when it was drawn.
    using Finished = std::function<void(draw::DrawState state, const draw::Series& series)>;

    SlicedDraw(platform::RandomSource& random, platform::Clock& clock);

    // Draws a series under `rule` over `range`, the first slice at once, and calls `finished`
    // once the series is drawn or refused.
    void start(const settings::DrawRule& rule, settings::DrawRange range, Finished finished);

private:
    void slice();

    platform::RandomSource& random_;
    platform::Clock& clock_;
    std::optional<draw::SeriesDraw> draw_;
    Finished finished_;
    QTimer nextSlice_;
    LongDrawCursor cursor_;
};

}  // namespace quintara::main_window
