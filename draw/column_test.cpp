// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "draw/column_test.h"

#include <algorithm>
#include <limits>

#include "platform/conversions.h"

namespace quintara::draw {

using settings::ConditionKind;

int requiredNumberOf(const std::string& text) {
    const double value = platform::numericPrefix(text);
    if (const auto rounded = platform::roundToInt16(value)) {
        return *rounded;
    }
    return value > 0 ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
}

ColumnTest::ColumnTest(const settings::DrawConditions& conditions)
    : kind_(conditions.Condition),
      required1_(requiredNumberOf(conditions.RequiredNumber1)),
      required2_(requiredNumberOf(conditions.RequiredNumber2)),
      tensDigits_(conditions.TensDigits) {}

bool ColumnTest::passes(const std::array<std::int16_t, 6>& column) const {
    const auto isOdd = [](int number) { return number % 2 != 0; };
    switch (kind_.value_or(ConditionKind::NoCondition)) {
        case ConditionKind::MustContain:
            return containsRequiredNumbers(column);
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

bool ColumnTest::containsRequiredNumbers(const std::array<std::int16_t, 6>& column) const {
    const auto contains = [&column](int number) {
        return std::find(column.begin(), column.end(), number) != column.end();
    };
    // A negative number, or two zeros, constrain nothing.
    if (required1_ > 0 && required2_ == 0) {
        return contains(required1_);
    }
    if (required1_ == 0 && required2_ > 0) {
        return contains(required2_);
    }
    if (required1_ > 0 && required2_ > 0) {
        return contains(required1_) && contains(required2_);
    }
    return true;
}

// Counts the two-digit numbers whose first digit occurs anywhere in TensDigits: with "3" that is
// 30 to 39 (3 itself never counts), with a hand-edited "35" also 50 to 59.
bool ColumnTest::hasTwoWithTensDigit(const std::array<std::int16_t, 6>& column) const {
    int count = 0;
    for (const std::int16_t number : column) {
        const platform::DecimalText text(number);
        if (text.view().size() == 2 && tensDigits_.find(text.view().front()) != std::string::npos) {
            ++count;
        }
    }
    return count >= 2;
}

}  // namespace quintara::draw
