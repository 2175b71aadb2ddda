// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <optional>

#include "platform/clock.h"

namespace quintara::main_window {

// How long a draw runs before the wait cursor shows.
inline constexpr std::chrono::milliseconds kWaitCursorDelay{300};

// The wait cursor over a long draw. A hand-edited range of thousands of numbers can keep a draw
// going for seconds, and whatever the user asks meanwhile waits for it: the cursor is how the
// user knows the program is still at work. The window reports after every slice of attempts
// (about a millisecond each), so the delay counts from its first report.
class LongDrawCursor {
public:
    explicit LongDrawCursor(platform::Clock& clock);
    ~LongDrawCursor();
    LongDrawCursor(const LongDrawCursor&) = delete;
    LongDrawCursor& operator=(const LongDrawCursor&) = delete;

    // A slice of the draw has been made, and more are to come.
    void stillDrawing();

    // The command that drew has ended: the next draw starts counting afresh.
    void commandEnded();

private:
    platform::Clock& clock_;
    std::optional<platform::Clock::SteadyTime> firstReport_;
    bool shown_ = false;
};

}  // namespace quintara::main_window
