// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/engine/user_gestures.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QWidget>
#include <chrono>

namespace quintara::web_band {
namespace {

// As long as a browser lets a click open a pop-up: the engine may take a while to turn a click
// into a navigation on a busy machine.
constexpr qint64 kGestureLifetimeMs = 5000;

// The keys that follow a link or press a button.
bool followsLinks(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Space;
}

}  // namespace

UserGestures::UserGestures(QWidget& view, Clock clock) : clock_(std::move(clock)) {
    if (!clock_) {
        clock_ = [] {
            return std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::steady_clock::now().time_since_epoch())
                .count();
        };
    }
    watch(view);
}

bool UserGestures::take() {
    while (!unusedAtMs_.empty() && clock_() - unusedAtMs_.front() >= kGestureLifetimeMs) {
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
    } else if (watched->isWidgetType()) {
        noteInput(*event);
    }
    return QObject::eventFilter(watched, event);
}

void UserGestures::noteInput(const QEvent& event) {
    switch (event.type()) {
        case QEvent::MouseButtonRelease:
        case QEvent::TouchEnd:
            clicked(static_cast<const QInputEvent&>(event));
            break;
        case QEvent::KeyPress:
            keyPressed(static_cast<const QKeyEvent&>(event));
            break;
        case QEvent::KeyRelease:
            keyReleased(static_cast<const QKeyEvent&>(event));
            break;
        case QEvent::FocusOut:
            // A key let go elsewhere is never seen released here.
            heldKeys_.clear();
            break;
        default:
            break;
    }
}

// An event a widget leaves to its parent comes by again: it is still one gesture.
void UserGestures::clicked(const QInputEvent& click) {
    const std::pair<int, quint64> seen{click.type(), click.timestamp()};
    if (seen != lastClick_) {
        lastClick_ = seen;
        unusedAtMs_.push_back(clock_());
    }
}

// One press of a key is one gesture, however long it is held. Under X11 the repeats of a held key
// often come as a release and a press with the same timestamp, not marked as repeats.
void UserGestures::keyPressed(const QKeyEvent& key) {
    if (!followsLinks(key)) {
        return;
    }
    const bool repeat = key.isAutoRepeat() || heldKeys_.contains(key.key()) ||
                        lastRelease_ == std::pair<int, quint64>{key.key(), key.timestamp()};
    heldKeys_.insert(key.key());
    if (!repeat) {
        unusedAtMs_.push_back(clock_());
    }
}

void UserGestures::keyReleased(const QKeyEvent& key) {
    if (followsLinks(key) && !key.isAutoRepeat()) {
        heldKeys_.erase(key.key());
        lastRelease_ = {key.key(), key.timestamp()};
    }
}

}  // namespace quintara::web_band
