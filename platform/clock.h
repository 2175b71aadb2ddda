// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace quintara::platform {

class Clock {
public:
    virtual ~Clock() = default;

    // Local time of day in seconds since midnight, with a fraction. Single precision, so near
    // the end of the day it advances in steps of about 8 ms.
    virtual float secondsSinceMidnight() = 0;
};

}  // namespace quintara::platform
