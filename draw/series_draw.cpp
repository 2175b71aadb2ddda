// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "draw/series_draw.h"

#include <algorithm>
#include <utility>

#include "conversions/conversions.h"

namespace quintara::draw {

using settings::ConditionKind;

bool rangeIsDrawable(const settings::DrawRange& range) {
    constexpr int kSlotCount = 7;
    const long topCandidate = long{range.first} + long{range.count} - 1;
    return range.count >= kSlotCount && range.first >= 1 && topCandidate <= 32767;
}

// The range comes first: a range the draw cannot use is reported as such, even where no column
// of it could meet the condition either.
SeriesDraw::SeriesDraw(platform::RandomSource& random, platform::Clock& clock,
                       settings::DrawRule rule, settings::DrawRange range)
    : random_(random), clock_(clock), columnRule_(rule), range_(range) {
    if (!rangeIsDrawable(range_)) {
        state_ = DrawState::InvalidRange;
    } else if (!columnRule_.canBeMetOver(range_)) {
        state_ = DrawState::NoSeriesFound;
    }
}

DrawState SeriesDraw::advance(long attempts) {
    for (long made = 0; made < attempts && state_ == DrawState::Drawing; ++made) {
        if (columnDone_) {
            columnDone_ = false;
            attempts_ = 0;
        }
        if (attempt()) {
            columnDone_ = true;
            if (++column_ == 2) {
                state_ = DrawState::Drawn;
            }
        }
    }
    return state_;
}

// A failed column is drawn again from the seed, as often as it takes: the stack and the memory
// stay as they are however many attempts a column takes.
bool SeriesDraw::attempt() {
    ++attempts_;
    ++attemptsInAll_;
    const settings::DrawRule& rule = columnRule_.drawRule();
    random_.reseed(rule.kind == ConditionKind::Phrase ? rule.phraseSeed
                                                      : clock_.secondsSinceMidnight());
    fillSlots();
    takeJollyPart();
    std::array<std::int16_t, 6> column{};
    std::copy_n(slots_.begin(), column.size(), column.begin());
    std::sort(column.begin(), column.end());
    if (!columnRule_.passes(column)) {
        return false;
    }
    series_.columns[column_] = column;
    return true;
}

// A clash with any other slot (empty slots hold 0, below every candidate) is redrawn in place.
void SeriesDraw::fillSlots() {
    slots_.fill(0);
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        bool clashes = true;
        while (clashes) {
            const double k = conversions::integerPart(random_.next() * range_.count);
            slots_[i] = static_cast<std::int16_t>(range_.first + static_cast<int>(k));
            clashes = false;
            for (std::size_t j = 0; j < slots_.size() && !clashes; ++j) {
                clashes = j != i && slots_[j] == slots_[i];
            }
        }
    }
}

// The Jolly box shows column 1's seventh number, or a ball's colour that every attempt draws anew.
void SeriesDraw::takeJollyPart() {
    if (column_ == 0) {
        series_.jolly = slots_[6];
    }
    if (columnRule_.drawRule().showJollyNumber) {
        series_.jollyColour.reset();
        return;
    }
    const double index =
        conversions::integerPart(random_.next() * static_cast<double>(kBallColours.size()));
    series_.jollyColour = kBallColours[static_cast<std::size_t>(index)];
}

}  // namespace quintara::draw
