// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window/sliced_draw.h"

#include <utility>

namespace quintara::main_window {

SlicedDraw::SlicedDraw(platform::RandomSource& random, platform::Clock& clock)
    : random_(random), clock_(clock), cursor_(clock) {
    nextSlice_.setSingleShot(true);
    QObject::connect(&nextSlice_, &QTimer::timeout, [this] { slice(); });
}

void SlicedDraw::start(const settings::DrawRule& rule, settings::DrawRange range,
                       Finished finished) {
    draw_.emplace(random_, clock_, rule, range);
    finished_ = std::move(finished);
    slice();
}

// The draw is gone before `finished` runs, which may start the next one.
void SlicedDraw::slice() {
    if (draw_->advance(kAttemptsPerSlice) == draw::DrawState::Drawing) {
        cursor_.stillDrawing();
        nextSlice_.start(0);
        return;
    }
    cursor_.commandEnded();
    const draw::DrawState state = draw_->state();
    const draw::Series series = draw_->series();
    draw_.reset();
    std::exchange(finished_, nullptr)(state, series);
}

}  // namespace quintara::main_window
