// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstddef>
#include <functional>

#include "main_window/cover_movement.h"
#include "platform/clock.h"

namespace quintara::main_window {

// How long a phase of the cover animation takes on screen, whatever the machine's speed.
inline constexpr std::chrono::milliseconds kCoverPhaseDuration{1000};
// About sixty frames a second.
inline constexpr std::chrono::milliseconds kCoverFrameInterval{16};

// Plays a cover movement from the event loop, a frame at a time: between two frames the window
// answers whoever asks (a screen reader, the compositor, a click, which waits its turn). Each
// width change is worth an equal share of a phase of kCoverPhaseDuration on the clock; a frame
// makes every change due by then, so a slow machine skips frames rather than stretching the
// animation.
class CoverPlayer final : public QObject {
public:
    // `paint` asks for the covers' area to be painted; `covers` are what the movement changes.
    CoverPlayer(CoverDisplay& covers, platform::Clock& clock, std::function<void()> paint);

    // Starts the movement, and calls `finished` from the event loop once its last change is
    // made. The first frame comes at once.
    void play(const CoverMovement& movement, std::function<void()> finished);

private:
    void frame();

    CoverDisplay& covers_;
    platform::Clock& clock_;
    std::function<void()> paint_;
    QTimer frames_;
    const CoverMovement* movement_ = nullptr;
    std::function<void()> finished_;
    platform::Clock::SteadyTime start_{};
    std::size_t made_ = 0;
};

}  // namespace quintara::main_window
