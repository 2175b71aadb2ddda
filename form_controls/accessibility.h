// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QString;
class QWidget;

namespace quintara::qt {

// How the controls speak to assistive technology: clickable labels as links and buttons that can
// be pressed, and a pointer surface with a reading order as the controls it lists, in that
// order, leaving out its decoration. Call once, before the first window.
void installAccessibility();

// Has a screen reader say `sentence` now, where the Qt at hand can announce.
void announce(QWidget& source, const QString& sentence);

}  // namespace quintara::qt
