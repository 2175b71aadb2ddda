// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "settings/settings_file.h"

namespace quintara::testing {

// A record that differs from `conditions` in every field: reading into it shows which fields a
// read really set.
inline settings::DrawConditions unlike(const settings::DrawConditions& conditions) {
    using settings::ConditionKind;
    settings::DrawConditions other = conditions;
    other.kind = conditions.kind == ConditionKind::MustContain ? ConditionKind::OddOnly
                                                               : ConditionKind::MustContain;
    for (const auto member : settings::kTextMembers) {
        other.*member += "#";
    }
    other.showJollyNumber = !conditions.showJollyNumber;
    other.showRandomColour = !conditions.showRandomColour;
    return other;
}

}  // namespace quintara::testing
