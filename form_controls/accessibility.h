// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace quintara::form_controls {

// Gives `window` the description `text()` returns, read whenever a screen reader asks. No change
// is ever signalled: a screen reader that speaks a changed description of the window around the
// focus would otherwise repeat what `announce` says. Make it a member of the window declared
// after what `text` reads, so that it goes first.
class WindowDescription final : public QObject {
    Q_OBJECT

public:
    WindowDescription(QWidget& window, std::function<QString()> text);

    QString text() const { return text_(); }

private:
    std::function<QString()> text_;
};

// How the controls speak to assistive technology: clickable labels as links and buttons that can
// be pressed, the links within a text as links of their own, and a pointer surface with a reading
// order as the controls it lists, in that order, leaving out its decoration. Call once, before
// the first window.
void installAccessibility();

// Has a screen reader say `sentence` now: an announcement where the Qt at hand has them, a
// notification in `source`'s window otherwise.
void announce(QWidget& source, const QString& sentence);

}  // namespace quintara::form_controls
