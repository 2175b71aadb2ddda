// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include "settings/draw_conditions.h"

class QWidget;

// The windows the main window opens, as it sees them: the information window and the conditions
// dialog implement these, and the main window never names their classes, nor they its.
namespace quintara::window_services {

// A window shown modally over its owner; returns once it has been closed.
class ModalWindow {
public:
    virtual ~ModalWindow() = default;
    virtual void showModal(QWidget& owner) = 0;
};

// The conditions dialog, modal over the main window: the conditions it saved, or nothing when it
// closed without saving.
class ConditionsEditor {
public:
    virtual ~ConditionsEditor() = default;
    virtual std::optional<settings::DrawConditions> showModal(QWidget& owner) = 0;
};

}  // namespace quintara::window_services
