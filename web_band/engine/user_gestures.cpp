// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/engine/user_gestures.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QWidget>

namespace quintara::web_band {
namespace {

// As long as a browser lets a click open a pop-up: the engine may take a while to turn a click
// into a navigation on a busy machine.
constexpr qint64 kGestureLifetimeMs = 5000;

bool isGesture(const QEvent& event) {
    switch (event.type()) {
        case QEvent::MouseButtonRelease:
        case QEvent::TouchEnd:
            return true;
        case QEvent::KeyPress: {
            // The keys that follow a link or press a button.
            const int key = static_cast<const QKeyEvent&>(event).key();
            return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
        }
        default:
            return false;
    }
}

}  // namespace

UserGestures::UserGestures(QWidget& view) {
    clock_.start();
    watch(view);
}

bool UserGestures::take() {
    while (!unusedAtMs_.empty() && clock_.elapsed() - unusedAtMs_.front() >= kGestureLifetimeMs) {
        unusedAtMs_.pop_front();
    }
    if (unusedAtMs_.empty()) {
        return false;
    }
    unusedAtMs_.pop_front();
    return true;
}

// The engine puts its input widget inside the view when it first shows a page, so every child
// the view gains is watched too.
void UserGestures::watch(QObject& object) {
    object.installEventFilter(this);
    for (QObject* child : object.children()) {
        if (child->isWidgetType()) {
            watch(*child);
        }
    }
}

bool UserGestures::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ChildAdded) {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType()) {
            watch(*child);
        }
    } else if (isGesture(*event) && watched->isWidgetType()) {
        // An event a widget leaves to its parent comes by again: it is still one gesture.
        const auto& input = static_cast<const QInputEvent&>(*event);
        const std::pair<int, quint64> seen{input.type(), input.timestamp()};
        if (seen != lastSeen_) {
            lastSeen_ = seen;
            unusedAtMs_.push_back(clock_.elapsed());
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace quintara::web_band
