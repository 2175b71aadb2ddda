// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "draw/new_series.h"

#include "draw/cover_animation.h"

namespace quintara::draw {
namespace {

SeriesOutcome reportOf(ColumnOutcome outcome) {
    return outcome == ColumnOutcome::InvalidRange ? SeriesOutcome::InvalidRange
                                                  : SeriesOutcome::NoSeriesFound;
}

}  // namespace

SeriesOutcome NewSeries(DrawEngine& engine, CoverDisplay& covers,
                        const settings::DrawConditions& conditions,
                        const settings::DrawRange& range) {
    if (coversAreOpen(covers)) {
        AnimateCovers(covers, CoverPhase::Covering);
    }
    for (const int column : {1, 2}) {
        const ColumnOutcome outcome = engine.DrawColumn(column, conditions, range);
        if (outcome != ColumnOutcome::Passed) {
            return reportOf(outcome);
        }
    }
    AnimateCovers(covers, CoverPhase::Uncovering);
    return SeriesOutcome::Drawn;
}

}  // namespace quintara::draw
