// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/draw_conditions.h"

#include "conversions/conversions.h"

namespace quintara::settings {
namespace {

std::optional<std::int16_t> rangeIntegerOf(const std::string& text) {
    return conversions::roundToInt16(conversions::numericPrefix(text));
}

}  // namespace

DrawConditions mainWindowDefaults() {
    DrawConditions conditions;
    conditions.RangeTo = "49";
    return conditions;
}

DrawConditions dialogDefaults() {
    DrawConditions conditions;
    conditions.RangeTo = "90";
    return conditions;
}

std::optional<std::int16_t> rangeLowOf(const DrawConditions& conditions) {
    return rangeIntegerOf(conditions.RangeFrom);
}

std::optional<std::int16_t> rangeHighOf(const DrawConditions& conditions) {
    return rangeIntegerOf(conditions.RangeTo);
}

}  // namespace quintara::settings
