// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>

#include "draw/display.h"

namespace quintara::draw {

// The colours of the random-colour Jolly box, indexed 1 to 6 like the swatches beside
// "Show random color": green, red, blue, yellow, purple, orange.
class JollyColourTable {
public:
    static constexpr int kFirst = 1;
    static constexpr int kLast = 6;

    constexpr Colour operator[](int index) const { return colours_[index - kFirst]; }

private:
    std::array<Colour, 6> colours_ = {32768, 255, 16711680, 65535, 12583104, 33023};
};

}  // namespace quintara::draw
