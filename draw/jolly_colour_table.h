// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "draw/series.h"

namespace quintara::draw {

// The colours of the random-colour Jolly box, indexed 1 to 6 like the swatches beside
// "Show random color": green, red, blue, yellow, purple, orange.
class JollyColourTable {
public:
    static constexpr int kFirst = 1;
    static constexpr int kLast = 6;

    constexpr Colour operator[](int index) const { return colours_[index - kFirst]; }

    // The colour's name in Italian, as said of a ball ("pallina verde"); none for a colour not
    // in the table.
    constexpr std::optional<std::string_view> ballColourName(Colour colour) const {
        for (std::size_t k = 0; k < colours_.size(); ++k) {
            if (colours_[k] == colour) {
                return names_[k];
            }
        }
        return std::nullopt;
    }

private:
    std::array<Colour, 6> colours_ = {32768, 255, 16711680, 65535, 12583104, 33023};
    std::array<std::string_view, 6> names_ = {"verde",  "rossa", "blu",
                                              "gialla", "viola", "arancione"};
};

}  // namespace quintara::draw
