// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include "settings/draw_rule.h"

namespace quintara::settings {

// Why the conditions dialog refuses to save what the user entered.
enum class EntryRefusal {
    Numbers,    // a required number outside the range
    Phrase,     // no phrase
    TensDigit,  // a tens digit that is not 1 to 8
};

// Checks the entry of the selected kind only: the boxes of other kinds are saved as they are.
std::optional<EntryRefusal> entryRefusal(const DrawRule& rule);

}  // namespace quintara::settings
