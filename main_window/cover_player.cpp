// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window/cover_player.h"

#include <algorithm>
#include <utility>

namespace quintara::main_window {

CoverPlayer::CoverPlayer(CoverDisplay& covers, platform::Clock& clock, std::function<void()> paint)
    : covers_(covers), clock_(clock), paint_(std::move(paint)) {
    frames_.setTimerType(Qt::PreciseTimer);
    connect(&frames_, &QTimer::timeout, this, &CoverPlayer::frame);
}

void CoverPlayer::play(const CoverMovement& movement, std::function<void()> finished) {
    movement_ = &movement;
    finished_ = std::move(finished);
    start_ = clock_.steadyNow();
    made_ = 0;
    frames_.start(0);
}

void CoverPlayer::frame() {
    frames_.setInterval(kCoverFrameInterval);
    const auto elapsed = clock_.steadyNow() - start_;
    const std::size_t total = movement_->changes.size();
    const auto due = static_cast<std::size_t>(std::clamp<long long>(
        elapsed * kWidthChangesPerPhase / kCoverPhaseDuration, 0, static_cast<long long>(total)));
    if (due > made_) {
        movement_->play(covers_, made_, due);
        made_ = due;
        paint_();
    }
    if (made_ < total) {
        return;
    }
    frames_.stop();
    movement_ = nullptr;
    // The command that waits for the movement may start another one.
    std::exchange(finished_, nullptr)();
}

}  // namespace quintara::main_window
