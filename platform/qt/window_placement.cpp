// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/window_placement.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace quintara::qt {

void centreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    // A window whose layout fixes its size gets that size only when the layout runs, which
    // would otherwise be after it was placed; and its frame is known once it has a native
    // window, where the window system can tell.
    if (QLayout* layout = window.layout()) {
        layout->activate();
    }
    window.winId();
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

void setOwner(QWidget& window, QWidget& owner) {
    QWidget& ownerWindow = *owner.window();
    ownerWindow.winId();
    window.winId();
    if (window.windowHandle() != nullptr) {
        window.windowHandle()->setTransientParent(ownerWindow.windowHandle());
    }
}

}  // namespace quintara::qt
