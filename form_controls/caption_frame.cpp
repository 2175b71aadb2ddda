// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_controls/caption_frame.h"

#include <QPainter>

namespace quintara::form_controls {
namespace {

constexpr int kCaptionIndent = 8;
constexpr int kCaptionPadding = 2;

}  // namespace

CaptionFrame::CaptionFrame(QWidget* parent, const QString& caption, const QFont& font,
                           QColor captionColour)
    : QWidget(parent), caption_(caption), captionColour_(captionColour) {
    setFont(font);
    setAccessibleName(caption);
}

void CaptionFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int lineY = metrics.height() / 2;
    const QRect border(0, lineY, width() - 2, height() - lineY - 2);
    // Etched: a dark line with a light one beside it.
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(border.translated(1, 1));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(border);

    if (caption_.isEmpty()) {
        return;
    }
    const int captionWidth = metrics.horizontalAdvance(caption_) + 2 * kCaptionPadding;
    const QRect captionArea(kCaptionIndent, 0, captionWidth, metrics.height());
    painter.fillRect(captionArea, palette().color(QPalette::Window));
    painter.setPen(captionColour_);
    painter.drawText(captionArea, Qt::AlignCenter, caption_);
}

}  // namespace quintara::form_controls
