// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QWidget;

namespace quintara::qt {

// A window whose description a screen reader reads from it whenever it asks, as the window
// describes itself at that moment. No change is ever signalled: a screen reader that speaks a
// changed description of the window around the focus would otherwise repeat what `announce` says.
class DescribesItself {
public:
    virtual QString describe() const = 0;

protected:
    ~DescribesItself() = default;
};

// How the controls speak to assistive technology: clickable labels as links and buttons that can
// be pressed, the links within a text as links of their own, and a pointer surface with a reading
// order as the controls it lists, in that order, leaving out its decoration; a window that
// describes itself with its own words. Call once, before the first window.
void installAccessibility();

// Has a screen reader say `sentence` now: an announcement where the Qt at hand has them, a
// notification in `source`'s window otherwise.
void announce(QWidget& source, const QString& sentence);

}  // namespace quintara::qt
