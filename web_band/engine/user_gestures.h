// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <deque>
#include <functional>
#include <set>
#include <utility>

class QInputEvent;
class QKeyEvent;
class QWidget;

namespace quintara::web_band {

// The user's own clicks and key presses on the engine's view, as the window system delivered
// them: what a page's script does never shows here. Like a browser's user activation, each
// gesture counts for a few seconds and is used up by the one navigation it allows; a key held
// down is one gesture until it is let go.
class UserGestures final : public QObject {
public:
    // Milliseconds on a clock that never goes back: the system's own unless a test gives one.
    using Clock = std::function<qint64()>;

    explicit UserGestures(QWidget& view, Clock clock = {});

    // Whether an unused gesture came recently; uses up the oldest.
    bool take();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QObject& object);
    void noteInput(const QEvent& event);
    void clicked(const QInputEvent& click);
    void keyPressed(const QKeyEvent& key);
    void keyReleased(const QKeyEvent& key);

    Clock clock_;
    std::deque<qint64> unusedAtMs_;
    std::pair<int, quint64> lastClick_{};
    std::set<int> heldKeys_;
    std::pair<int, quint64> lastRelease_{};
};

}  // namespace quintara::web_band
