// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QAbstractButton;

namespace quintara::form_controls {

// Makes Return, and Enter on the keypad, press the button while it has the keyboard focus, as
// Space does, the way command buttons behave on the desktop the program comes from. The button
// does not become a default button: Return pressed anywhere else in its window leaves it alone.
void pressOnReturnWhenFocused(QAbstractButton& button);

}  // namespace quintara::form_controls
