// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "draw/cover_animation.h"

namespace quintara::draw {
namespace {

constexpr int kPairCount = 7;

// The phase's widths in order: 5, 10 .. 1095 when covering, 1095, 1090 .. 5 when uncovering.
int widthAtStep(CoverPhase phase, int step) {
    const int growing = kCoverStep * (step + 1);
    return phase == CoverPhase::Covering ? growing : kCoverFullWidth + kCoverStep - growing;
}

constexpr int kStepsPerCover = kCoverFullWidth / kCoverStep;

}  // namespace

bool coversAreOpen(const CoverDisplay& covers) {
    return covers.coverWidth(kOpenProbeCover) < kOpenBelowWidth;
}

void AnimateCovers(CoverDisplay& covers, CoverPhase phase) {
    covers.coverMovementStarting();
    for (int i = 0; i < kPairCount; ++i) {
        const int partner = i + 6;
        const int widthFactor = i == kJollyCover ? 2 : 1;
        for (int step = 0; step < kStepsPerCover; ++step) {
            const int width = widthAtStep(phase, step);
            covers.setCoverWidth(partner, width);
            covers.coverStepDone();
            covers.setCoverWidth(i, widthFactor * width);
            covers.coverStepDone();
        }
        covers.setCoverVisible(i, true);
        covers.setCoverVisible(partner, true);
    }
    covers.coverMovementFinished();
}

void narrowFirstColumnCovers(CoverDisplay& covers) {
    covers.coverMovementStarting();
    for (int i = 0; i < 6; ++i) {
        for (int step = 0; step < kStepsPerCover; ++step) {
            covers.setCoverWidth(i, widthAtStep(CoverPhase::Uncovering, step));
            covers.coverStepDone();
        }
        covers.setCoverVisible(i, true);
    }
    covers.coverMovementFinished();
}

}  // namespace quintara::draw
