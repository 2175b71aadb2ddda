// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "draw/display.h"

namespace quintara::draw {

enum class CoverPhase { Covering, Uncovering };

inline constexpr int kCoverCount = 13;
inline constexpr int kJollyCover = 6;
inline constexpr int kCoverFullWidth = 1095;
inline constexpr int kCoverStep = 5;
// The covers count as open while column 1's second cover is narrower than this.
inline constexpr int kOpenBelowWidth = 100;
inline constexpr int kOpenProbeCover = 1;
// 7 pairs x 219 widths x 2 covers.
inline constexpr int kWidthChangesPerPhase = 3066;

bool coversAreOpen(const CoverDisplay& covers);

// Moves the covers pair by pair: cover i of column 1 (left to right, the Jolly cover last) with
// cover i + 6 (the Jolly cover first, then column 2 right to left), through 219 widths each.
// The Jolly cover moves twice: with column 1's first cover, and at double width in pair 6.
void AnimateCovers(CoverDisplay& covers, CoverPhase phase);

// What a successful save of the conditions does to the main window: column 1's six covers narrow
// one after the other from full width to 5 twips and are made visible; the rest stay as they are.
void narrowFirstColumnCovers(CoverDisplay& covers);

}  // namespace quintara::draw
