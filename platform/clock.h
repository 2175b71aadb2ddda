// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>

namespace quintara::platform {

// The program's one clock: the time of day the draw is seeded with, and the steady time that
// paces the covers and times a long draw.
class Clock {
public:
    using SteadyTime = std::chrono::steady_clock::time_point;

    virtual ~Clock() = default;

    // Local time of day in seconds since midnight, with a fraction. Single precision, so near
    // the end of the day it advances in steps of about 8 ms.
    virtual float secondsSinceMidnight() = 0;

    // A time that only goes forward, whatever the user does to the clock of the day.
    virtual SteadyTime steadyNow() = 0;
};

}  // namespace quintara::platform
