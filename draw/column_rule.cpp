// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "draw/column_rule.h"

#include <algorithm>

namespace quintara::draw {

using settings::ConditionKind;

ColumnRule::ColumnRule(const settings::DrawRule& rule) : rule_(rule) {}

bool ColumnRule::passes(const std::array<std::int16_t, 6>& column) const {
    const auto isOdd = [](int number) { return number % 2 != 0; };
    switch (rule_.kind.value_or(ConditionKind::NoCondition)) {
        case ConditionKind::MustContain:
            return std::all_of(
                rule_.numbersToHold.begin(), rule_.numbersToHold.end(), [&column](int number) {
                    return std::find(column.begin(), column.end(), number) != column.end();
                });
        case ConditionKind::EvenOnly:
            return std::none_of(column.begin(), column.end(), isOdd);
        case ConditionKind::OddOnly:
            return std::all_of(column.begin(), column.end(), isOdd);
        case ConditionKind::TensDigit:
            return hasTwoWithTensDigit(column);
        case ConditionKind::Phrase:
        case ConditionKind::NoCondition:
            return true;
    }
    return true;
}

// Counts the two-digit numbers whose tens digit the rule names: with "3" that is 30 to 39 (3
// itself never counts), with a hand-edited "35" also 50 to 59.
bool ColumnRule::hasTwoWithTensDigit(const std::array<std::int16_t, 6>& column) const {
    const auto counts = [this](std::int16_t number) {
        return number >= 10 && number <= 99 &&
               rule_.tensDigits.test(static_cast<std::size_t>(number / 10));
    };
    return std::count_if(column.begin(), column.end(), counts) >= 2;
}

// Decided by counting the candidates a passing column needs, under the same rules as passes():
// the required numbers among them, six even or odd ones, two that count for the tens digit. The
// candidates are a run of whole numbers, so even ones are counted by halving, and those of a
// tens digit d are where the run meets 10d .. 10d + 9: as quick over 32,767 candidates as
// over 90.
bool ColumnRule::canBeMetOver(const settings::DrawRange& range) const {
    constexpr int kColumnSize = 6;
    const int low = range.first;
    const int high = range.first + range.count - 1;
    const int evens = high / 2 - (low - 1) / 2;
    switch (rule_.kind.value_or(ConditionKind::NoCondition)) {
        case ConditionKind::MustContain:
            return std::all_of(rule_.numbersToHold.begin(), rule_.numbersToHold.end(),
                               [&](int number) { return number >= low && number <= high; });
        case ConditionKind::EvenOnly:
            return evens >= kColumnSize;
        case ConditionKind::OddOnly:
            return range.count - evens >= kColumnSize;
        case ConditionKind::TensDigit: {
            int counted = 0;
            for (int digit = 1; digit <= 9; ++digit) {
                if (rule_.tensDigits.test(static_cast<std::size_t>(digit))) {
                    counted +=
                        std::max(0, std::min(high, 10 * digit + 9) - std::max(low, 10 * digit) + 1);
                }
            }
            return counted >= 2;
        }
        case ConditionKind::Phrase:
        case ConditionKind::NoCondition:
            return true;
    }
    return true;
}

}  // namespace quintara::draw
