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
// what was typed or read (UTF-8); whoever needs a number converts them with numericPrefix.
struct DrawConditions {
    // At most one kind is selected; nothing selected is a real state, reached from a file whose
    // first six lines hold no "1".
    std::optional<ConditionKind> Condition = ConditionKind::NoCondition;
    std::string RequiredNumber1 = "";
    std::string RequiredNumber2 = "";
    std::string PhraseText = "";
    std::string RangeTo = "";
    std::string RangeFrom = "1";
    std::string TensDigits = "";
    // Like the kinds, the two flags behave as a radio group: at most one is set.
    bool ShowJollyNumber = true;
    bool ShowRandomColor = false;

    friend bool operator==(const DrawConditions&, const DrawConditions&) = default;
};

// What the main window draws with before any settings file has been read: range 1 to 49.
DrawConditions mainWindowDefaults();

// What the conditions dialog starts from each time it opens: range 1 to 90.
DrawConditions dialogDefaults();

// The two integers the draw takes from the range texts: candidates run from RangeLow to
// RangeLow + RangeHigh - 1.
struct DrawRange {
    std::int16_t RangeLow = 1;
    std::int16_t RangeHigh = 49;

    friend bool operator==(const DrawRange&, const DrawRange&) = default;
};

// Each range text converted by its numeric prefix and rounded half to even; nothing when either
// overflows 16 bits.
std::optional<std::int16_t> rangeLowOf(const DrawConditions& conditions);
std::optional<std::int16_t> rangeHighOf(const DrawConditions& conditions);

}  // namespace quintara::settings
