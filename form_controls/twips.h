// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>

class QWidget;

namespace quintara::form_controls {

// Layout is written in twips, as the layouts were drawn, and converted here only:
// 15 twips to a logical pixel at 100 % scaling (1440 twips to the inch at 96 pixels to the inch).
// Qt's high-DPI scaling takes it from there.
inline constexpr int kTwipsPerPixel = 15;

int pixels(int twips);
QPoint twipsPoint(int x, int y);
// Edges are converted one by one, so that neighbouring controls never gap or overlap by rounding.
QRect twipsRect(int left, int top, int width, int height);
QRect twipsRect(QRect twips);
void placeInTwips(QWidget& widget, int left, int top, int width, int height);
void placeInTwips(QWidget& widget, QRect twips);

// A colour written &H00BBGGRR, red in the low byte. Values with the top bit set (&H80000005)
// are system colours, taken from the application's palette.
QColor designColour(std::uint32_t value);

struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
};
inline constexpr FontStyle kBold{.bold = true};

// A font by family and point size. The pixel size is fixed from the points at 96 pixels to the
// inch, so that text keeps its size relative to a layout in twips whatever the screen reports.
QFont designFont(const QString& family, double points, FontStyle style = {});

inline QFont arial(double points, FontStyle style = {}) {
    return designFont("Arial", points, style);
}

}  // namespace quintara::form_controls
