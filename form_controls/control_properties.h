// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>

class QWidget;

namespace quintara::form_controls {

// A control's colours as the layouts give them (&H00BBGGRR). Without a back colour the
// control is transparent and shows what lies beneath.
void setColours(QWidget& widget, std::optional<std::uint32_t> back, std::uint32_t fore);

// Changes only the text colour; does nothing when it already has it, so that the hover handlers
// may call it on every pointer move.
void setForeColour(QWidget& widget, std::uint32_t fore);

}  // namespace quintara::form_controls
