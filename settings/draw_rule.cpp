// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/draw_rule.h"

#include <limits>
#include <string>

#include "conversions/conversions.h"
#include "conversions/windows1252.h"

namespace quintara::settings {
namespace {

int drawnNumberOf(double typed) {
    if (const auto rounded = conversions::roundToInt16(typed)) {
        return *rounded;
    }
    return typed > 0 ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
}

std::vector<int> numbersToHold(int first, int second) {
    if (first > 0 && second == 0) {
        return {first};
    }
    if (first == 0 && second > 0) {
        return {second};
    }
    if (first > 0 && second > 0) {
        return {first, second};
    }
    return {};
}

std::bitset<10> digitsIn(const std::string& text) {
    std::bitset<10> digits;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            digits.set(static_cast<std::size_t>(c - '0'));
        }
    }
    return digits;
}

double sumOfCodes(const std::string& text) {
    double sum = 0.0;
    for (const char code : conversions::encodeWindows1252(text)) {
        sum += static_cast<unsigned char>(code);
    }
    return sum;
}

std::optional<std::int16_t> rangeNumberOf(const std::string& text) {
    return conversions::roundToInt16(conversions::numericPrefix(text));
}

}  // namespace

DrawRule drawRuleOf(const DrawConditions& conditions) {
    DrawRule rule;
    rule.kind = conditions.kind;
    rule.typedNumbers = {conversions::numericPrefix(conditions.firstNumber),
                         conversions::numericPrefix(conditions.secondNumber)};
    rule.numbersToHold =
        numbersToHold(drawnNumberOf(rule.typedNumbers[0]), drawnNumberOf(rule.typedNumbers[1]));
    rule.typedTensDigit = conversions::numericPrefix(conditions.tensDigits);
    rule.tensDigits = digitsIn(conditions.tensDigits);
    rule.phraseGiven = !conditions.phrase.empty();
    rule.phraseSeed = sumOfCodes(conditions.phrase);
    rule.showJollyNumber = conditions.showJollyNumber;
    rule.rangeFirst = rangeNumberOf(conditions.rangeFrom);
    rule.rangeCount = rangeNumberOf(conditions.rangeTo);
    return rule;
}

DrawRange rangeAfterRead(DrawRange before, const DrawRule& rule) {
    if (!rule.rangeFirst) {
        return before;
    }
    before.first = *rule.rangeFirst;
    if (rule.rangeCount) {
        before.count = *rule.rangeCount;
    }
    return before;
}

}  // namespace quintara::settings
