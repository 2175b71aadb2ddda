// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/draw_conditions.h"

namespace quintara::draw {

// The test a drawn column must pass under the condition in force. Built once a column, as the
// conditions cannot change while it is drawn.
class ColumnTest {
public:
    explicit ColumnTest(const settings::DrawConditions& conditions);

    // The six numbers of the column, in ascending order.
    bool passes(const std::array<std::int16_t, 6>& column) const;

    // Whether any column of six candidates of the range passes. The range must be drawable.
    bool canBeMetOver(const settings::DrawRange& range) const;

private:
    bool hasTwoWithTensDigit(const std::array<std::int16_t, 6>& column) const;

    std::optional<settings::ConditionKind> kind_;
    // The required numbers a column must hold under MustContain: none, one, or both.
    std::vector<int> mustHold_;
    std::string tensDigits_;
};

// A required number as the test uses it: the text's numeric prefix rounded half to even. A value
// beyond 16 bits, which only a hand-edited file can hold, keeps its sign but can never be drawn.
int requiredNumberOf(const std::string& text);

}  // namespace quintara::draw
