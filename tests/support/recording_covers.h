// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <vector>

#include "main_window/cover_movement.h"

namespace quintara::main_window {

// Covers without a screen, as the main window starts: each as wide as its box, all visible.
class RecordingCovers final : public CoverDisplay {
public:
    struct State {
        int twips = kCoverFullWidth;
        bool visible = true;
        friend bool operator==(const State&, const State&) = default;
    };

    RecordingCovers() { jolly.twips = 2055; }

    // Every cover: column 1's and column 2's from the left, then the Jolly cover.
    static std::vector<Cover> all() {
        std::vector<Cover> covers;
        for (int column = 0; column < 2; ++column) {
            for (int position = 0; position < 6; ++position) {
                covers.push_back(Cover::onNumber(column, position));
            }
        }
        covers.push_back(Cover::onJolly());
        return covers;
    }

    State& of(Cover cover) {
        return cover.isJolly() ? jolly : numbers[cover.column][cover.position];
    }
    const State& of(Cover cover) const {
        return cover.isJolly() ? jolly : numbers[cover.column][cover.position];
    }
    void hideAll() {
        for (const Cover cover : all()) {
            of(cover).visible = false;
        }
    }

    void setCoverWidth(Cover cover, int twips) override { of(cover).twips = twips; }
    int coverWidth(Cover cover) const override { return of(cover).twips; }
    void setCoverVisible(Cover cover, bool shown) override { of(cover).visible = shown; }

    std::array<std::array<State, 6>, 2> numbers{};
    State jolly;
};

}  // namespace quintara::main_window
