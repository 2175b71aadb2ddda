// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/entry_checks.h"

namespace quintara::settings {
namespace {

std::optional<EntryRefusal> refusedFor(bool refused, EntryRefusal why) {
    return refused ? std::optional(why) : std::nullopt;
}

// A required number outside the range, compared unrounded: .5 fails with a range from 1.
bool outsideRange(double number, double low, double high) {
    return number > 0 && (number < low || number > high);
}

bool requiredNumbersRefused(const DrawRule& rule) {
    const auto [first, second] = rule.typedNumbers;
    // A range beyond 16 bits (only a hand-edited file has one) cannot bound the numbers.
    if (!rule.rangeFirst || !rule.rangeCount) {
        return first > 0 || second > 0;
    }
    return outsideRange(first, *rule.rangeFirst, *rule.rangeCount) ||
           outsideRange(second, *rule.rangeFirst, *rule.rangeCount);
}

bool tensDigitRefused(double digit) {
    return digit == 0 || digit > 8;
}

}  // namespace

std::optional<EntryRefusal> entryRefusal(const DrawRule& rule) {
    switch (rule.kind.value_or(ConditionKind::NoCondition)) {
        case ConditionKind::MustContain:
            return refusedFor(requiredNumbersRefused(rule), EntryRefusal::Numbers);
        case ConditionKind::Phrase:
            return refusedFor(!rule.phraseGiven, EntryRefusal::Phrase);
        case ConditionKind::TensDigit:
            return refusedFor(tensDigitRefused(rule.typedTensDigit), EntryRefusal::TensDigit);
        case ConditionKind::NoCondition:
        case ConditionKind::EvenOnly:
        case ConditionKind::OddOnly:
            break;
    }
    return std::nullopt;
}

}  // namespace quintara::settings
