// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace quintara::qt {

// How the controls speak to assistive technology: clickable labels as links and buttons that can
// be pressed, the links within a text as links of their own, and a pointer surface with a reading
// order as the controls it lists, in that order, leaving out its decoration. Call once, before
// the first window.
void installAccessibility();

// `window`'s description is `description()`, asked whenever a screen reader reads it. No change
// is ever signalled: a screen reader that speaks a changed description of the window around the
// focus would otherwise repeat what `announce` says. Call before anything else in the window's
// constructor, before the window is first asked about; with no description, first thing in its
// destructor, before what the description reads goes.
void describeWith(QWidget& window, std::function<QString()> description);

// Has a screen reader say `sentence` now: an announcement where the Qt at hand has them, a
// notification in `source`'s window otherwise.
void announce(QWidget& source, const QString& sentence);

}  // namespace quintara::qt
