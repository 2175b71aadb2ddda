// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_controls/fitted_picture.h"

#include <QImage>

namespace quintara::form_controls {

FittedPicture::FittedPicture(const QString& file, QWidget* parent) : QLabel(parent), file_(file) {
    // A picture of its own size is drawn unscaled, and one scaled to a new size again.
    setScaledContents(true);
}

void FittedPicture::resizeEvent(QResizeEvent* event) {
    fit();
    QLabel::resizeEvent(event);
}

// The screen's scale may change with the screen the window is on.
void FittedPicture::paintEvent(QPaintEvent* event) {
    fit();
    QLabel::paintEvent(event);
}

void FittedPicture::fit() {
    const qreal scale = devicePixelRatio();
    const QSize shown = contentsRect().size() * scale;
    // What the label hands back as its pixmap may be one made for its own scale (Qt 6.11): what
    // was fitted is remembered here instead.
    if (shown.isEmpty() || (shown == fittedSize_ && scale == fittedScale_)) {
        return;
    }
    fittedSize_ = shown;
    fittedScale_ = scale;
    // As QLabel scales the picture it is given.
    QPixmap fitted = QPixmap::fromImage(
        QImage(file_).scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    fitted.setDevicePixelRatio(scale);
    setPixmap(fitted);
}

}  // namespace quintara::form_controls
