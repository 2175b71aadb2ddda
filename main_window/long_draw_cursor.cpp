// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window/long_draw_cursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <utility>

namespace quintara::main_window {

LongDrawCursor::LongDrawCursor(platform::Clock& clock) : clock_(clock) {}

LongDrawCursor::~LongDrawCursor() {
    commandEnded();
}

void LongDrawCursor::stillDrawing() {
    const platform::Clock::SteadyTime now = clock_.steadyNow();
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
