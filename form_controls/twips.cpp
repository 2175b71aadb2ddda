// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_controls/twips.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>
#include <cmath>

#include "form_controls/design_colours.h"

namespace quintara::form_controls {
namespace {

QColor systemColour(std::uint32_t value) {
    const QPalette palette = QApplication::palette();
    switch (value) {
        case colours::kSystemWindowBackground:
            return palette.color(QPalette::Base);
        case colours::kSystemWindowText:
            return palette.color(QPalette::WindowText);
        case colours::kSystemButtonFace:
            return palette.color(QPalette::Button);
        default:
            return palette.color(QPalette::Window);
    }
}

}  // namespace

int pixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

QPoint twipsPoint(int x, int y) {
    return {pixels(x), pixels(y)};
}

QRect twipsRect(int left, int top, int width, int height) {
    const QPoint topLeft = twipsPoint(left, top);
    const QPoint bottomRightExclusive = twipsPoint(left + width, top + height);
    return {topLeft,
            QSize(bottomRightExclusive.x() - topLeft.x(), bottomRightExclusive.y() - topLeft.y())};
}

QRect twipsRect(QRect twips) {
    return twipsRect(twips.x(), twips.y(), twips.width(), twips.height());
}

void placeInTwips(QWidget& widget, int left, int top, int width, int height) {
    widget.setGeometry(twipsRect(left, top, width, height));
}

void placeInTwips(QWidget& widget, QRect twips) {
    widget.setGeometry(twipsRect(twips));
}

QColor designColour(std::uint32_t value) {
    if (value & colours::kSystemFlag) {
        return systemColour(value);
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

QFont designFont(const QString& family, double points, FontStyle style) {
    QFont font(family);
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    return font;
}

}  // namespace quintara::form_controls
