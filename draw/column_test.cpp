// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "draw/column_test.h"

#include <algorithm>
#include <limits>

#include "conversions/conversions.h"

namespace quintara::draw {

using settings::ConditionKind;

int requiredNumberOf(const std::string& text) {
    const double value = conversions::numericPrefix(text);
    if (const auto rounded = conversions::roundToInt16(value)) {
        return *rounded;
    }
    return value > 0 ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
}

namespace {

// A negative number, or two zeros, constrain nothing.
std::vector<int> numbersToHold(int required1, int required2) {
    if (required1 > 0 && required2 == 0) {
        return {required1};
    }
    if (required1 == 0 && required2 > 0) {
        return {required2};
    }
    if (required1 > 0 && required2 > 0) {
        return {required1, required2};
    }
    return {};
}

}  // namespace

ColumnTest::ColumnTest(const settings::DrawConditions& conditions)
    : kind_(conditions.Condition),
      mustHold_(numbersToHold(requiredNumberOf(conditions.RequiredNumber1),
                              requiredNumberOf(conditions.RequiredNumber2))),
      tensDigits_(conditions.TensDigits) {}

bool ColumnTest::passes(const std::array<std::int16_t, 6>& column) const {
    const auto isOdd = [](int number) { return number % 2 != 0; };
    switch (kind_.value_or(ConditionKind::NoCondition)) {
        case ConditionKind::MustContain:
            return std::all_of(mustHold_.begin(), mustHold_.end(), [&column](int number) {
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

// Counts the two-digit numbers whose first digit occurs anywhere in TensDigits: with "3" that is
// 30 to 39 (3 itself never counts), with a hand-edited "35" also 50 to 59.
bool ColumnTest::hasTwoWithTensDigit(const std::array<std::int16_t, 6>& column) const {
    int count = 0;
    for (const std::int16_t number : column) {
        const conversions::DecimalText text(number);
        if (text.view().size() == 2 && tensDigits_.find(text.view().front()) != std::string::npos) {
            ++count;
        }
    }
    return count >= 2;
}

// Decided by counting the candidates a passing column needs, under the same rules as passes():
// the required numbers among them, six even or odd ones, two that count for the tens digit. The
// candidates are a run of whole numbers, so even ones are counted by halving, and those of a
// tens digit d are where the run meets 10d .. 10d + 9: as quick over 32,767 candidates as
// over 90.
bool ColumnTest::canBeMetOver(const settings::DrawRange& range) const {
    constexpr int kColumnSize = 6;
    const int low = range.RangeLow;
    const int high = range.RangeLow + range.RangeHigh - 1;
    const int evens = high / 2 - (low - 1) / 2;
    switch (kind_.value_or(ConditionKind::NoCondition)) {
        case ConditionKind::MustContain:
            return std::all_of(mustHold_.begin(), mustHold_.end(),
                               [&](int number) { return number >= low && number <= high; });
        case ConditionKind::EvenOnly:
            return evens >= kColumnSize;
        case ConditionKind::OddOnly:
            return range.RangeHigh - evens >= kColumnSize;
        case ConditionKind::TensDigit: {
            int counted = 0;
            for (int digit = 1; digit <= 9; ++digit) {
                if (tensDigits_.find(static_cast<char>('0' + digit)) != std::string::npos) {
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
