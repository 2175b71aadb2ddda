// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>

#include "draw/cover_animation.h"

namespace quintara::draw {

// Covers without a screen, as the main window starts: full widths, the Jolly cover twice as wide,
// all visible.
class RecordingCovers final : public CoverDisplay {
public:
    RecordingCovers() {
        widths.fill(kCoverFullWidth);
        widths[kJollyCover] = 2055;
        visible.fill(true);
    }

    void setCoverWidth(int cover, int twips) override { widths[cover] = twips; }
    int coverWidth(int cover) const override { return widths[cover]; }
    void setCoverVisible(int cover, bool shown) override { visible[cover] = shown; }

    std::array<int, kCoverCount> widths{};
    std::array<bool, kCoverCount> visible{};
};

}  // namespace quintara::draw
