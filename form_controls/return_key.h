// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QAbstractButton;

namespace quintara::form_controls {

// Makes Return, and Enter on the keypad, press the button while it has the keyboard focus, as
// Space does: Return is the key most keyboard users try first on a command they have tabbed to.
// The button does not become a default button: Return pressed anywhere else in its window leaves
// it alone, so that a stray Return never saves or ends anything.
void pressOnReturnWhenFocused(QAbstractButton& button);

}  // namespace quintara::form_controls
