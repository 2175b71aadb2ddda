// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFrame>
#include <functional>

namespace quintara::qt {

// The bare surface of a window or frame, which hears the pointer wherever no control takes it:
// shapes and lines let it through, while labels, pictures and buttons keep it for themselves.
class PointerSurface final : public QFrame {
public:
    PointerSurface(QWidget* parent, std::function<void()> onPointerMoved)
        : QFrame(parent), onPointerMoved_(std::move(onPointerMoved)) {
        setMouseTracking(true);
    }

protected:
    void mouseMoveEvent(QMouseEvent*) override { onPointerMoved_(); }

private:
    std::function<void()> onPointerMoved_;
};

}  // namespace quintara::qt
