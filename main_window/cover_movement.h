// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "main_window/cover_display.h"

namespace quintara::main_window {

enum class CoverPhase { Covering, Uncovering };

// A number's cover is as wide as its box; each step of a movement moves a cover by 5 twips.
inline constexpr int kCoverFullWidth = 1095;
inline constexpr int kCoverStep = 5;
// 7 pairs x 219 widths x 2 covers: a phase, which the window shows in one second.
inline constexpr int kWidthChangesPerPhase = 3066;

// The covers count as open while the cover on column 1's second number is narrower than 100
// twips, so that a series always starts by closing them.
bool coversAreOpen(const CoverDisplay& covers);

// A slide of the covers: width changes made one after the other, each worth an equal share of
// the time, and the covers made visible once their last change is made.
struct CoverMovement {
    struct WidthChange {
        Cover cover;
        int twips;
        friend bool operator==(const WidthChange&, const WidthChange&) = default;
    };

    std::vector<WidthChange> changes;
    // (change, cover): the cover is made visible once that change is made.
    std::vector<std::pair<std::size_t, Cover>> shownAfter;

    // Makes changes [from, to) on the covers.
    void play(CoverDisplay& covers, std::size_t from, std::size_t to) const;
};

// The covers move in pairs, one pair after the other, through 219 widths each: the Jolly cover
// with column 1's first cover, then each of column 1's other covers from left to right with one
// of column 2's from right to left, and last column 2's first cover with the Jolly cover again, at
// double width.
const CoverMovement& coverMovement(CoverPhase phase);

// What the main window does after the conditions are saved: column 1's six covers narrow one
// after the other from full width to 5 twips and are made visible; the rest stay as they are.
const CoverMovement& firstColumnNarrowing();

}  // namespace quintara::main_window
