// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "draw/display.h"
#include "draw/draw_engine.h"

namespace quintara::draw {

enum class SeriesOutcome {
    Drawn,
    // The range in the settings file leaves too few candidates; the covers stay closed.
    InvalidRange,
    // No column of the candidates can meet the condition; nothing is drawn and the covers stay
    // closed.
    NoSeriesFound,
};

// "Nuova Serie": closes the covers if they are open, draws column 1 and then column 2 behind
// them, and opens them again.
SeriesOutcome NewSeries(DrawEngine& engine, CoverDisplay& covers,
                        const settings::DrawConditions& conditions,
                        const settings::DrawRange& range);

}  // namespace quintara::draw
