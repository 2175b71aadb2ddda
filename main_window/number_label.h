// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>
#include <QPainter>

#include "form_controls/crisp_frame.h"

namespace quintara::main_window {

// A number label of the ball area: its single border stays black whatever the text colour (the
// Jolly box writes in red).
class NumberLabel final : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        QPainter painter(this);
        form_controls::paintCrispFrame(painter, rect(), 1, Qt::black);
    }
};

}  // namespace quintara::main_window
