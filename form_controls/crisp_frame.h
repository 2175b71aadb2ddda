// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QRect>
#include <optional>

class QPainter;

namespace quintara::form_controls {

// A rectangular frame on whole device pixels. At 125, 150 or 175 % a line one logical pixel wide
// falls between device pixels: a pen drawn there loses a side to rounding, doubles another,
// leaves a pale row between the line and the edge, and its corners show stray pixels. Here each
// side is a band filled on the device pixels the area itself covers (its edges rounded as the
// widget's own background is), `width` logical pixels rounded to whole device pixels and at
// least one, so that the four sides come out alike and meet at full corners at every scale.
// At 100 % that is the same one- or two-pixel line as a pen's. `fill`, when given, fills what
// lies inside the frame.
void paintCrispFrame(QPainter& painter, const QRect& area, int width, const QColor& colour,
                     const std::optional<QColor>& fill = std::nullopt);

}  // namespace quintara::form_controls
