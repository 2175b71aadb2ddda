// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace quintara::draw {

// A colour as the windows store it: &H00BBGGRR, red in the low byte.
using Colour = std::uint32_t;

// What a draw gives: two columns of six distinct numbers in ascending order, and the Jolly box.
struct Series {
    std::array<std::array<std::int16_t, 6>, 2> columns{};
    // Column 1's seventh number, which no column shows.
    std::int16_t jolly = 0;
    // The colour the Jolly box shows in place of the number, when the settings say so.
    std::optional<Colour> jollyColour;

    friend bool operator==(const Series&, const Series&) = default;
};

}  // namespace quintara::draw
