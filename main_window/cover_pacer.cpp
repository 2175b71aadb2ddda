// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window/cover_pacer.h"

#include <thread>

namespace quintara::main_window {

CoverPacer::CoverPacer(std::function<void()> paint, Clock::duration phaseDuration,
                       long stepsPerPhase, Now now, SleepUntil sleepUntil)
    : paint_(std::move(paint)),
      phaseDuration_(phaseDuration),
      stepsPerPhase_(stepsPerPhase),
      now_(std::move(now)),
      sleepUntil_(std::move(sleepUntil)) {}

void CoverPacer::defaultSleepUntil(Clock::time_point moment) {
    std::this_thread::sleep_until(moment);
}

void CoverPacer::start() {
    origin_ = now_();
    nextFrame_ = origin_ + kCoverFrameInterval;
    steps_ = 0;
}

void CoverPacer::step() {
    ++steps_;
    const Clock::time_point due = origin_ + phaseDuration_ * steps_ / stepsPerPhase_;
    if (due < nextFrame_) {
        return;
    }
    // Running late (a slow paint): let the widths catch up with the clock unpainted.
    if (due < now_()) {
        return;
    }
    sleepUntil_(due);
    paint_();
    nextFrame_ = due + kCoverFrameInterval;
}

void CoverPacer::finish() {
    paint_();
}

}  // namespace quintara::main_window
