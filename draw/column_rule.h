// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>

#include "settings/draw_rule.h"

namespace quintara::draw {

// What a drawn column must meet under the rule in force: the condition, and whether any column of
// a range can meet it at all.
class ColumnRule {
public:
    explicit ColumnRule(const settings::DrawRule& rule);

    // The six numbers of the column, in ascending order.
    bool passes(const std::array<std::int16_t, 6>& column) const;

    // Whether any column of six candidates of the range passes. The range must be drawable.
    bool canBeMetOver(const settings::DrawRange& range) const;

    const settings::DrawRule& drawRule() const { return rule_; }

private:
    bool hasTwoWithTensDigit(const std::array<std::int16_t, 6>& column) const;

    settings::DrawRule rule_;
};

}  // namespace quintara::draw
