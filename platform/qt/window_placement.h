// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

namespace quintara::qt {

// Puts a top-level window in the middle of the screen it is on (the primary one before it is
// shown).
void centreOnScreen(QWidget& window);

// Makes `window` a dialog of `owner` for the window system (kept above it, no task-bar entry of
// its own) without making it a child object: the windows are created once in main and must not
// own one another.
void setOwner(QWidget& window, QWidget& owner);

}  // namespace quintara::qt
