// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFrame>
#include <QPointer>
#include <functional>
#include <vector>

namespace quintara::form_controls {

// The bare surface of a window or frame, which hears the pointer wherever no control takes it:
// shapes and lines let it through, while labels, pictures and buttons keep it for themselves.
class PointerSurface final : public QFrame {
    Q_OBJECT

public:
    PointerSurface(QWidget* parent, std::function<void()> onPointerMoved)
        : QFrame(parent), onPointerMoved_(std::move(onPointerMoved)) {
        setMouseTracking(true);
    }

    // The controls a screen reader meets on the surface, in the order it reads them; the rest
    // of what lies on it is decoration (see accessibility.h).
    void setReadingOrder(const std::vector<QWidget*>& controls) {
        readingOrder_.assign(controls.begin(), controls.end());
    }
    bool hasReadingOrder() const { return !readingOrder_.empty(); }
    std::vector<QWidget*> readingOrder() const {
        std::vector<QWidget*> controls;
        for (const QPointer<QWidget>& control : readingOrder_) {
            if (control != nullptr) {
                controls.push_back(control);
            }
        }
        return controls;
    }

protected:
    void mouseMoveEvent(QMouseEvent*) override { onPointerMoved_(); }

private:
    std::function<void()> onPointerMoved_;
    std::vector<QPointer<QWidget>> readingOrder_;
};

}  // namespace quintara::form_controls
