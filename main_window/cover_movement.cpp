// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window/cover_movement.h"

#include <array>

namespace quintara::main_window {
namespace {

constexpr int kStepsPerCover = kCoverFullWidth / kCoverStep;

// The phase's widths in order: 5, 10 .. 1095 when covering, 1095, 1090 .. 5 when uncovering.
int widthAtStep(CoverPhase phase, int step) {
    const int growing = kCoverStep * (step + 1);
    return phase == CoverPhase::Covering ? growing : kCoverFullWidth + kCoverStep - growing;
}

// Two covers that move together, step by step: `first`, then `second`, which moves `scale` times
// as far.
struct Pair {
    Cover first;
    Cover second;
    int scale = 1;
};

constexpr Cover column1(int position) {
    return Cover::onNumber(0, position);
}
constexpr Cover column2(int position) {
    return Cover::onNumber(1, position);
}

constexpr std::array<Pair, 7> kPairs = {{
    {Cover::onJolly(), column1(0)},
    {column2(5), column1(1)},
    {column2(4), column1(2)},
    {column2(3), column1(3)},
    {column2(2), column1(4)},
    {column2(1), column1(5)},
    {column2(0), Cover::onJolly(), 2},
}};

CoverMovement pairByPair(CoverPhase phase) {
    CoverMovement movement;
    for (const Pair& pair : kPairs) {
        for (int step = 0; step < kStepsPerCover; ++step) {
            const int width = widthAtStep(phase, step);
            movement.changes.push_back({pair.first, width});
            movement.changes.push_back({pair.second, pair.scale * width});
        }
        movement.shownAfter.emplace_back(movement.changes.size() - 1, pair.second);
        movement.shownAfter.emplace_back(movement.changes.size() - 1, pair.first);
    }
    return movement;
}

CoverMovement narrowing() {
    CoverMovement movement;
    for (int position = 0; position < 6; ++position) {
        for (int step = 0; step < kStepsPerCover; ++step) {
            movement.changes.push_back(
                {column1(position), widthAtStep(CoverPhase::Uncovering, step)});
        }
        movement.shownAfter.emplace_back(movement.changes.size() - 1, column1(position));
    }
    return movement;
}

}  // namespace

bool coversAreOpen(const CoverDisplay& covers) {
    constexpr int kOpenBelowWidth = 100;
    return covers.coverWidth(column1(1)) < kOpenBelowWidth;
}

void CoverMovement::play(CoverDisplay& covers, std::size_t from, std::size_t to) const {
    auto shown = shownAfter.begin();
    for (std::size_t at = from; at < to; ++at) {
        covers.setCoverWidth(changes[at].cover, changes[at].twips);
        while (shown != shownAfter.end() && shown->first < at) {
            ++shown;
        }
        for (; shown != shownAfter.end() && shown->first == at; ++shown) {
            covers.setCoverVisible(shown->second, true);
        }
    }
}

const CoverMovement& coverMovement(CoverPhase phase) {
    static const CoverMovement covering = pairByPair(CoverPhase::Covering);
    static const CoverMovement uncovering = pairByPair(CoverPhase::Uncovering);
    return phase == CoverPhase::Covering ? covering : uncovering;
}

const CoverMovement& firstColumnNarrowing() {
    static const CoverMovement movement = narrowing();
    return movement;
}

}  // namespace quintara::main_window
