// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/entry_checks.h"

#include "conversions/conversions.h"

namespace quintara::settings {
namespace {

std::optional<EntryRefusal> refusedFor(bool refused, EntryRefusal why) {
    return refused ? std::optional(why) : std::nullopt;
}

// A required number outside the range, compared unrounded: .5 fails with a range from 1.
bool outsideRange(const std::string& text, double low, double high) {
    const double number = conversions::numericPrefix(text);
    return number > 0 && (number < low || number > high);
}

bool requiredNumbersRefused(const DrawConditions& conditions) {
    const auto low = rangeLowOf(conditions);
    const auto high = rangeHighOf(conditions);
    // A range beyond 16 bits (only a hand-edited file has one) cannot bound the numbers.
    if (!low || !high) {
        return conversions::numericPrefix(conditions.RequiredNumber1) > 0 ||
               conversions::numericPrefix(conditions.RequiredNumber2) > 0;
    }
    return outsideRange(conditions.RequiredNumber1, *low, *high) ||
           outsideRange(conditions.RequiredNumber2, *low, *high);
}

bool tensDigitRefused(const std::string& text) {
    const double digit = conversions::numericPrefix(text);
    return digit == 0 || digit > 8;
}

}  // namespace

std::optional<EntryRefusal> entryRefusal(const DrawConditions& conditions) {
    switch (conditions.Condition.value_or(ConditionKind::NoCondition)) {
        case ConditionKind::MustContain:
            return refusedFor(requiredNumbersRefused(conditions), EntryRefusal::Numbers);
        case ConditionKind::Phrase:
            return refusedFor(conditions.PhraseText.empty(), EntryRefusal::Phrase);
        case ConditionKind::TensDigit:
            return refusedFor(tensDigitRefused(conditions.TensDigits), EntryRefusal::TensDigit);
        case ConditionKind::NoCondition:
        case ConditionKind::EvenOnly:
        case ConditionKind::OddOnly:
            break;
    }
    return std::nullopt;
}

}  // namespace quintara::settings
