// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace quintara::draw {

// The ball the Jolly box shows in place of its number, when the settings say so.
enum class BallColour { Green, Red, Blue, Yellow, Purple, Orange };

// In the order a draw picks them: a draw of k from 0 to 5 gives the k-th.
inline constexpr std::array<BallColour, 6> kBallColours = {BallColour::Green,  BallColour::Red,
                                                           BallColour::Blue,   BallColour::Yellow,
                                                           BallColour::Purple, BallColour::Orange};

// What a draw gives: two columns of six distinct numbers in ascending order, and the Jolly box.
struct Series {
    std::array<std::array<std::int16_t, 6>, 2> columns{};
    // Column 1's seventh number, which no column shows.
    std::int16_t jolly = 0;
    // The ball the Jolly box shows in place of the number, when the settings say so.
    std::optional<BallColour> jollyColour;

    friend bool operator==(const Series&, const Series&) = default;
};

}  // namespace quintara::draw
