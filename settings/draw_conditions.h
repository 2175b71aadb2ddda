// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quintara::settings {

// The six condition kinds. The value is also the kind's line offset in the settings file and
// the index of its option button in both windows.
enum class ConditionKind : int {
    MustContain = 0,
    Phrase = 1,
    NoCondition = 2,
    EvenOnly = 3,
    OddOnly = 4,
    TensDigit = 5,
};

inline constexpr int kConditionKindCount = 6;

constexpr ConditionKind conditionKindAt(int index) {
    return static_cast<ConditionKind>(index);
}
constexpr int indexOf(ConditionKind kind) {
    return static_cast<int>(kind);
}

// The user's draw conditions, in the order of the settings file's lines. Texts hold exactly
// what was typed or read (UTF-8), to be saved as they are; the numbers they say are read once
// into a DrawRule (settings/draw_rule.h).
struct DrawConditions {
    // At most one kind is selected; nothing selected is a real state, reached from a file whose
    // first six lines hold no "1".
    std::optional<ConditionKind> kind = ConditionKind::NoCondition;
    std::string firstNumber = "";
    std::string secondNumber = "";
    std::string phrase = "";
    std::string rangeTo = "";
    std::string rangeFrom = "1";
    std::string tensDigits = "";
    // Like the kinds, the two flags behave as a radio group: at most one is set.
    bool showJollyNumber = true;
    bool showRandomColour = false;

    friend bool operator==(const DrawConditions&, const DrawConditions&) = default;
};

// What the main window draws with before any settings file has been read: range 1 to 49.
DrawConditions mainWindowDefaults();

// What the conditions dialog starts from each time it opens: range 1 to 90.
DrawConditions dialogDefaults();

// The two integers the draw takes from the range texts: `count` candidates from `first` on, the
// first from "from", the count from "to" (so "to" 20 "from" 10 draws from 10 to 29).
struct DrawRange {
    std::int16_t first = 1;
    std::int16_t count = 49;

    friend bool operator==(const DrawRange&, const DrawRange&) = default;
};

}  // namespace quintara::settings
