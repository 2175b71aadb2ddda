// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/system_clock.h"

#include <ctime>

namespace quintara::platform {
namespace {

std::tm localTimeOf(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    return local;
}

}  // namespace

float SystemClock::secondsSinceMidnight() {
    const TimePoint now = std::chrono::system_clock::now();
    if (now >= recheckAt_ || now < localMidnight_) {
        findLocalMidnight(now);
    }
    const std::chrono::duration<double> sinceMidnight = now - localMidnight_;
    return static_cast<float>(sinceMidnight.count());
}

void SystemClock::findLocalMidnight(TimePoint now) {
    using namespace std::chrono;
    const auto wholeSeconds = floor<seconds>(now);
    const std::tm local = localTimeOf(system_clock::to_time_t(wholeSeconds));
    const seconds intoDay = hours{local.tm_hour} + minutes{local.tm_min} + seconds{local.tm_sec};
    localMidnight_ = wholeSeconds - intoDay;
    // Daylight-saving changes and midnight itself fall on whole minutes.
    recheckAt_ = floor<minutes>(now) + minutes{1};
}

}  // namespace quintara::platform
