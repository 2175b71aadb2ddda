// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "draw/cover_animation.h"

namespace quintara::draw {
namespace {

constexpr int kPairCount = 7;
constexpr int kStepsPerCover = kCoverFullWidth / kCoverStep;

// The phase's widths in order: 5, 10 .. 1095 when covering, 1095, 1090 .. 5 when uncovering.
int widthAtStep(CoverPhase phase, int step) {
    const int growing = kCoverStep * (step + 1);
    return phase == CoverPhase::Covering ? growing : kCoverFullWidth + kCoverStep - growing;
}

CoverMovement pairByPair(CoverPhase phase) {
    CoverMovement movement;
    for (int i = 0; i < kPairCount; ++i) {
        const int partner = i + 6;
        const int widthFactor = i == kJollyCover ? 2 : 1;
        for (int step = 0; step < kStepsPerCover; ++step) {
            const int width = widthAtStep(phase, step);
            movement.changes.push_back({partner, width});
            movement.changes.push_back({i, widthFactor * width});
        }
        movement.shownAfter.emplace_back(movement.changes.size() - 1, i);
        movement.shownAfter.emplace_back(movement.changes.size() - 1, partner);
    }
    return movement;
}

CoverMovement narrowing() {
    CoverMovement movement;
    for (int i = 0; i < 6; ++i) {
        for (int step = 0; step < kStepsPerCover; ++step) {
            movement.changes.push_back({i, widthAtStep(CoverPhase::Uncovering, step)});
        }
        movement.shownAfter.emplace_back(movement.changes.size() - 1, i);
    }
    return movement;
}

}  // namespace

bool coversAreOpen(const CoverDisplay& covers) {
    return covers.coverWidth(kOpenProbeCover) < kOpenBelowWidth;
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

}  // namespace quintara::draw
