// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quintara::conversions {

// The number a text begins with: an optional sign, digits, "." as the decimal point and an
// optional exponent introduced by E or D. Blanks, tabs and line feeds are skipped wherever they
// stand, so " 1 2" reads as 12. A text that does not begin with a number gives 0 ("12abc" is 12,
// "abc" is 0). A number too large for a double gives an infinity of its sign.
double numericPrefix(std::string_view text);

// The nearest 16-bit signed integer, an exact half going to the even neighbour (2.5 gives 2,
// 3.5 gives 4); nothing when the result lies outside -32768..32767 (an overflow).
std::optional<std::int16_t> roundToInt16(double value);

// The largest whole number not above the value.
double integerPart(double value);

}  // namespace quintara::conversions
