// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>

#include "platform/clock.h"

namespace quintara::platform {

class SystemClock final : public Clock {
public:
    float secondsSinceMidnight() override;
    SteadyTime steadyNow() override { return std::chrono::steady_clock::now(); }

private:
    using TimePoint = std::chrono::system_clock::time_point;

    void findLocalMidnight(TimePoint now);

    // The draw reads the clock on every attempt, up to millions of times a series, so the local
    // midnight is looked up once a minute rather than through the time-zone rules on every call.
    TimePoint localMidnight_{};
    TimePoint recheckAt_{};
};

}  // namespace quintara::platform
