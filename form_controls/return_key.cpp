// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_controls/return_key.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace quintara::form_controls {
namespace {

// Watches the key presses that reach its button, which only happens while it has the focus.
class ReturnPresses final : public QObject {
public:
    explicit ReturnPresses(QAbstractButton& button) : QObject(&button), button_(button) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &button_ || event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool returnKey = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (!returnKey || modifiers != Qt::NoModifier) {
            return false;
        }
        // A held key would otherwise press the button again and again.
        if (!key->isAutoRepeat() && button_.isEnabled()) {
            button_.click();
        }
        return true;
    }

private:
    QAbstractButton& button_;
};

}  // namespace

void pressOnReturnWhenFocused(QAbstractButton& button) {
    button.installEventFilter(new ReturnPresses(button));
}

}  // namespace quintara::form_controls
