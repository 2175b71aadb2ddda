// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_controls/crisp_frame.h"

#include <QPainter>
#include <QTransform>
#include <algorithm>

namespace quintara::form_controls {
namespace {

// The device pixels an area covers when filled: the raster engine rounds each edge to the
// nearest pixel boundary, as it does for the widget's background and its clip.
QRect devicePixels(const QTransform& toDevice, const QRect& area) {
    const QRectF mapped = toDevice.mapRect(QRectF(area));
    const QPoint topLeft(qRound(mapped.left()), qRound(mapped.top()));
    const QPoint end(qRound(mapped.right()), qRound(mapped.bottom()));
    return QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
}

}  // namespace

void paintCrispFrame(QPainter& painter, const QRect& area, int width, const QColor& colour,
                     const std::optional<QColor>& fill) {
    const QTransform toDevice = painter.deviceTransform();
    const QTransform toLogical = toDevice.inverted();
    const QRect outer = devicePixels(toDevice, area);
    const int band = std::max(1, qRound(width * toDevice.m11()));
    // Filled back in the painter's coordinates, each rectangle's edges fall on the whole device
    // pixels worked out above.
    // A frame narrower than its two sides is all sides: what would lie inside it has no pixels
    // (and must not be turned inside out).
    const auto fillDevice = [&](const QRect& pixels, const QColor& with) {
        if (pixels.isValid()) {
            painter.fillRect(toLogical.mapRect(QRectF(pixels & outer)), with);
        }
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int innerHeight = outer.height() - 2 * band;
    fillDevice(QRect(outer.left(), outer.top(), outer.width(), band), colour);
    fillDevice(QRect(outer.left(), outer.bottom() + 1 - band, outer.width(), band), colour);
    fillDevice(QRect(outer.left(), outer.top() + band, band, innerHeight), colour);
    fillDevice(QRect(outer.right() + 1 - band, outer.top() + band, band, innerHeight), colour);
    if (fill) {
        fillDevice(outer.adjusted(band, band, -band, -band), *fill);
    }
    painter.restore();
}

}  // namespace quintara::form_controls
