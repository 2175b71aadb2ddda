// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_controls/control_properties.h"

#include <QWidget>

#include "form_controls/twips.h"

namespace quintara::form_controls {

void setColours(QWidget& widget, std::optional<std::uint32_t> back, std::uint32_t fore) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, designColour(fore));
    if (back) {
        palette.setColor(QPalette::Window, designColour(*back));
    }
    widget.setPalette(palette);
    widget.setAutoFillBackground(back.has_value());
}

void setForeColour(QWidget& widget, std::uint32_t fore) {
    const QColor colour = designColour(fore);
    QPalette palette = widget.palette();
    if (palette.color(QPalette::WindowText) == colour) {
        return;
    }
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

}  // namespace quintara::form_controls
