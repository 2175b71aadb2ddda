// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <functional>

namespace quintara::main_window {

// How long one phase of the cover animation takes on screen, whatever the machine's speed.
inline constexpr std::chrono::milliseconds kCoverPhaseDuration{1000};
// About sixty frames a second.
inline constexpr std::chrono::milliseconds kCoverFrameInterval{16};

// Paces the covers' width changes by time: every change is worth an equal share of a phase, the
// window is painted about once a frame, and a fast machine waits for the clock while a slow one
// skips frames rather than stretching the animation.
class CoverPacer {
public:
    using Clock = std::chrono::steady_clock;
    using Now = std::function<Clock::time_point()>;
    using SleepUntil = std::function<void(Clock::time_point)>;

    // `stepsPerPhase` width changes make one phase of `phaseDuration`.
    CoverPacer(std::function<void()> paint, Clock::duration phaseDuration, long stepsPerPhase,
               Now now = Clock::now, SleepUntil sleepUntil = defaultSleepUntil);

    void start();
    void step();
    void finish();

    static void defaultSleepUntil(Clock::time_point moment);

private:
    std::function<void()> paint_;
    Clock::duration phaseDuration_;
    long stepsPerPhase_;
    Now now_;
    SleepUntil sleepUntil_;
    Clock::time_point origin_{};
    Clock::time_point nextFrame_{};
    long steps_ = 0;
};

}  // namespace quintara::main_window
