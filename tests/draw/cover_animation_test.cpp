// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "draw/cover_animation.h"

#include <gtest/gtest.h>

#include "support/recording_covers.h"

namespace quintara::draw {
namespace {

using Change = CoverMovement::WidthChange;

const std::vector<Change>& changesOf(CoverPhase phase) {
    return coverMovement(phase).changes;
}

void playWhole(const CoverMovement& movement, CoverDisplay& covers) {
    movement.play(covers, 0, movement.changes.size());
}

// The covers move in pairs, cover k + 6 and then cover k at each step, pair after pair; each
// step moves a cover by 5 twips (the Jolly cover by 10 in its second move, at double width), all
// the way between 5 twips and full width, the same way in the phase.
TEST(CoverAnimation, EachPhaseMovesThePairsOneAfterTheOtherFiveTwipsAStep) {
    for (const CoverPhase phase : {CoverPhase::Covering, CoverPhase::Uncovering}) {
        const auto& changes = changesOf(phase);
        ASSERT_EQ(changes.size(), static_cast<std::size_t>(kWidthChangesPerPhase));
        const int direction = phase == CoverPhase::Covering ? 1 : -1;
        const std::size_t perPair = changes.size() / 7;
        for (std::size_t at = 0; at < changes.size(); ++at) {
            const int pair = static_cast<int>(at / perPair);
            const int cover = at % 2 == 0 ? pair + 6 : pair;
            ASSERT_EQ(changes[at].cover, cover) << at;
            const int scale = cover == kJollyCover && pair == kJollyCover ? 2 : 1;
            const bool firstStep = at % perPair < 2;
            const int before = firstStep ? (direction > 0 ? 0 : kCoverFullWidth + kCoverStep)
                                         : changes[at - 2].twips / scale;
            ASSERT_EQ(changes[at].twips / scale - before, direction * kCoverStep) << at;
        }
        for (std::size_t pairEnd = perPair - 1; pairEnd < changes.size(); pairEnd += perPair) {
            const int end = direction > 0 ? kCoverFullWidth : kCoverStep;
            ASSERT_EQ(changes[pairEnd].twips,
                      changes[pairEnd].cover == kJollyCover && pairEnd == changes.size() - 1
                          ? 2 * end
                          : end);
        }
    }
}

TEST(CoverAnimation, CoveringStartsWithTheJollyCoverAndColumnOnesFirstCover) {
    const auto& changes = changesOf(CoverPhase::Covering);
    EXPECT_EQ(changes[0], (Change{6, 5}));
    EXPECT_EQ(changes[1], (Change{0, 5}));
    EXPECT_EQ(changes[2], (Change{6, 10}));
    EXPECT_EQ(changes.back(), (Change{6, 2190}));
}

TEST(CoverAnimation, UncoveringSetsTheJollyCoverBackToFullWidthForItsSecondMove) {
    const auto& changes = changesOf(CoverPhase::Uncovering);
    const std::size_t pairSixStart = 6 * 219 * 2;
    // While pairs 1 to 5 run, the Jolly cover stays at the 5 twips pair 0 left it at.
    EXPECT_EQ(changes[219 * 2 - 2], (Change{6, 5}));
    for (std::size_t i = 219 * 2; i < pairSixStart; ++i) {
        ASSERT_NE(changes[i].cover, 6);
    }
    EXPECT_EQ(changes[pairSixStart], (Change{12, 1095}));
    EXPECT_EQ(changes[pairSixStart + 1], (Change{6, 2190}));
    EXPECT_EQ(changes.back(), (Change{6, 10}));
}

TEST(CoverAnimation, EndStatesOfBothPhases) {
    RecordingCovers covers;
    covers.visible.fill(false);
    playWhole(coverMovement(CoverPhase::Uncovering), covers);
    for (int cover = 0; cover < 13; ++cover) {
        EXPECT_EQ(covers.widths[cover], cover == 6 ? 10 : 5) << cover;
        EXPECT_TRUE(covers.visible[cover]);
    }
    playWhole(coverMovement(CoverPhase::Covering), covers);
    for (int cover = 0; cover < 13; ++cover) {
        EXPECT_EQ(covers.widths[cover], cover == 6 ? 2190 : 1095) << cover;
    }
}

// The window plays a movement a frame at a time: each cover is made visible as its pair's last
// change comes, in whatever frame that falls.
TEST(CoverAnimation, AMovementPlayedAFrameAtATimeEndsAsOnePlayedWhole) {
    for (const CoverMovement* movement :
         {&coverMovement(CoverPhase::Uncovering), &firstColumnNarrowing()}) {
        RecordingCovers whole;
        RecordingCovers framed;
        whole.visible.fill(false);
        framed.visible.fill(false);
        playWhole(*movement, whole);
        for (std::size_t from = 0; from < movement->changes.size(); from += 51) {
            movement->play(framed, from, std::min(from + 51, movement->changes.size()));
        }
        EXPECT_EQ(framed.widths, whole.widths);
        EXPECT_EQ(framed.visible, whole.visible);
    }
}

TEST(CoverAnimation, CoversCountAsOpenBelow100Twips) {
    RecordingCovers covers;
    covers.widths[1] = 100;
    EXPECT_FALSE(coversAreOpen(covers));
    covers.widths[1] = 99;
    EXPECT_TRUE(coversAreOpen(covers));
}

TEST(CoverAnimation, SavingTheConditionsNarrowsOnlyColumnOnesCovers) {
    RecordingCovers covers;
    covers.visible.fill(false);
    const CoverMovement& narrowing = firstColumnNarrowing();
    ASSERT_EQ(narrowing.changes.size(), 6u * 219u);
    EXPECT_EQ(narrowing.changes[0], (Change{0, 1095}));
    EXPECT_EQ(narrowing.changes[218], (Change{0, 5}));
    EXPECT_EQ(narrowing.changes[219], (Change{1, 1095}));
    playWhole(narrowing, covers);
    for (int cover = 0; cover < 13; ++cover) {
        const bool firstColumn = cover < 6;
        EXPECT_EQ(covers.widths[cover], firstColumn ? 5 : (cover == 6 ? 2055 : 1095));
        EXPECT_EQ(covers.visible[cover], firstColumn);
    }
    EXPECT_TRUE(coversAreOpen(covers));
}

}  // namespace
}  // namespace quintara::draw
