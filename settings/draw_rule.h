// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <vector>

#include "settings/draw_conditions.h"

namespace quintara::settings {

// The conditions as numbers: what the draw and the dialog's checks use, read from the texts once,
// when the settings are read or the dialog's boxes are taken. DrawConditions keeps the texts, to
// be written back as they were.
struct DrawRule {
    std::optional<ConditionKind> kind;

    // Each number box's number as typed (its text's numeric prefix, unrounded; 0 when empty), and
    // the numbers every column must hold under MustContain: none, one or both, rounded half to
    // even. A negative number, or two zeros, constrain nothing; a number beyond 16 bits, which
    // only a hand-edited file can hold, keeps its sign but can never be drawn.
    std::array<double, 2> typedNumbers{};
    std::vector<int> numbersToHold;

    // The tens box's number as typed, and every digit it holds anywhere: a column counts the
    // two-digit numbers in the tens of any of them (a hand-edited "35" counts 30 to 39 and 50 to
    // 59).
    double typedTensDigit = 0;
    std::bitset<10> tensDigits;

    // Whether there is a phrase, and what a phrase draw is seeded with: the sum of the phrase's
    // Windows-1252 codes, as typed (case counts).
    bool phraseGiven = false;
    double phraseSeed = 0;

    bool showJollyNumber = true;

    // The range's two texts, rounded half to even; nothing where one overflows 16 bits.
    std::optional<std::int16_t> rangeFirst;
    std::optional<std::int16_t> rangeCount;

    friend bool operator==(const DrawRule&, const DrawRule&) = default;
};

DrawRule drawRuleOf(const DrawConditions& conditions);

// The range once a whole settings file has been read: the first candidate and then the count
// taken from the rule, the first overflow stopping there (an overflowing "to" leaves the count
// as it was).
DrawRange rangeAfterRead(DrawRange before, const DrawRule& rule);

}  // namespace quintara::settings
