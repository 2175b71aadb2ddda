// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <functional>
#include <optional>

namespace quintara::main_window {

// How long a draw runs before the wait cursor shows.
inline constexpr std::chrono::milliseconds kWaitCursorDelay{300};

// The wait cursor over a long draw. A hand-edited range of thousands of numbers can keep a draw
// going for seconds, and the command takes no input until it ends: the cursor is how the user
// knows the program is still at work. The engine reports every few thousand attempts (about a
// millisecond apart), so the delay counts from its first report.
class LongDrawCursor {
public:
    using Clock = std::chrono::steady_clock;
    using Now = std::function<Clock::time_point()>;

    explicit LongDrawCursor(Now now = Clock::now);
    ~LongDrawCursor();
    LongDrawCursor(const LongDrawCursor&) = delete;
    LongDrawCursor& operator=(const LongDrawCursor&) = delete;

    // The engine's progress hook.
    void stillDrawing();

    // The command that drew has ended: the next draw starts counting afresh.
    void commandEnded();

private:
    Now now_;
    std::optional<Clock::time_point> firstReport_;
    bool shown_ = false;
};

}  // namespace quintara::main_window
