// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_controls/shapes.h"

#include <QPainter>
#include <algorithm>

#include "form_controls/crisp_frame.h"
#include "form_controls/twips.h"

namespace quintara::form_controls {

ShapeWidget::ShapeWidget(QWidget* parent, QRect twipsGeometry, Style style)
    : QWidget(parent), twipsGeometry_(twipsGeometry), style_(style) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    applyGeometry();
}

void ShapeWidget::setWidthTwips(int twips) {
    if (twips == twipsGeometry_.width()) {
        return;
    }
    twipsGeometry_.setWidth(twips);
    applyGeometry();
}

// A cover only a few twips wide still shows as its border, as a thin line at the left edge.
void ShapeWidget::applyGeometry() {
    QRect pixelGeometry = twipsRect(twipsGeometry_);
    pixelGeometry.setWidth(std::max({pixelGeometry.width(), style_.borderWidth, 1}));
    if (pixelGeometry != geometry()) {
        setGeometry(pixelGeometry);
    }
}

void ShapeWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (style_.rounded) {
        const qreal inset = style_.borderWidth / 2.0;
        painter.setPen(style_.borderWidth > 0 ? QPen(style_.border, style_.borderWidth)
                                              : Qt::NoPen);
        painter.setBrush(style_.fill ? QBrush(*style_.fill) : Qt::NoBrush);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.drawRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), 8, 8);
    } else if (style_.borderWidth > 0) {
        paintCrispFrame(painter, rect(), style_.borderWidth, style_.border, style_.fill);
    } else if (style_.fill) {
        painter.fillRect(rect(), *style_.fill);
    }
}

LineWidget::LineWidget(QWidget* parent, QPoint fromTwips, QPoint toTwips, QColor colour,
                       int widthPixels)
    : QWidget(parent), colour_(colour), width_(widthPixels) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const QPoint from = twipsPoint(fromTwips.x(), fromTwips.y());
    const QPoint to = twipsPoint(toTwips.x(), toTwips.y());
    const int margin = (widthPixels + 1) / 2;
    const QRect bounds = QRect(from, to).normalized().adjusted(-margin, -margin, margin, margin);
    setGeometry(bounds);
    from_ = from - bounds.topLeft();
    to_ = to - bounds.topLeft();
}

void LineWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(colour_, width_, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(from_, to_);
}

}  // namespace quintara::form_controls
