// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "draw/cover_display.h"

namespace quintara::draw {

enum class CoverPhase { Covering, Uncovering };

inline constexpr int kCoverCount = 13;
inline constexpr int kJollyCover = 6;
inline constexpr int kCoverFullWidth = 1095;
inline constexpr int kCoverStep = 5;
// The covers count as open while column 1's second cover is narrower than this.
inline constexpr int kOpenBelowWidth = 100;
inline constexpr int kOpenProbeCover = 1;
// 7 pairs x 219 widths x 2 covers: a phase, which the window shows in one second.
inline constexpr int kWidthChangesPerPhase = 3066;

bool coversAreOpen(const CoverDisplay& covers);

// A slide of the covers: width changes made one after the other, each worth an equal share of
// the time, and the covers made visible once their last change is made.
struct CoverMovement {
    struct WidthChange {
        int cover;
        int twips;
        friend bool operator==(const WidthChange&, const WidthChange&) = default;
    };

    std::vector<WidthChange> changes;
    // (change, cover): the cover is made visible once that change is made.
    std::vector<std::pair<std::size_t, int>> shownAfter;

    // Makes changes [from, to) on the covers.
    void play(CoverDisplay& covers, std::size_t from, std::size_t to) const;
};

// The covers move pair by pair: cover i of column 1 (left to right, the Jolly cover last) with
// cover i + 6 (the Jolly cover first, then column 2 right to left), through 219 widths each. The
// Jolly cover moves twice: with column 1's first cover, and at double width in pair 6.
const CoverMovement& coverMovement(CoverPhase phase);

// What the main window does after the conditions are saved: column 1's six covers narrow one
// after the other from full width to 5 twips and are made visible; the rest stay as they are.
const CoverMovement& firstColumnNarrowing();

}  // namespace quintara::draw
