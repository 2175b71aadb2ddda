// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window/long_draw_cursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <utility>

namespace quintara::main_window {

LongDrawCursor::LongDrawCursor(Now now) : now_(std::move(now)) {}

LongDrawCursor::~LongDrawCursor() {
    commandEnded();
}

// The override cursor reaches the screen at once, without going back to the event loop, so no
// click or key press is taken while the draw runs.
void LongDrawCursor::stillDrawing() {
    const Clock::time_point now = now_();
    if (!firstReport_) {
        firstReport_ = now;
    } else if (!shown_ && now - *firstReport_ >= kWaitCursorDelay) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        shown_ = true;
    }
}

void LongDrawCursor::commandEnded() {
    if (shown_) {
        QGuiApplication::restoreOverrideCursor();
        shown_ = false;
    }
    firstReport_.reset();
}

}  // namespace quintara::main_window
