// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_controls/clickable_label.h"

#include <QMouseEvent>

#include "form_controls/control_properties.h"
#include "form_controls/twips.h"

namespace quintara::qt {

ClickableLabel::ClickableLabel(const QString& text, Role role, QWidget* parent)
    : QLabel(text, parent), role_(role) {
    setMouseTracking(true);
    setCursor(role == Role::Link ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    pressedInside_ = event->button() == Qt::LeftButton;
}

// A click is a press and a release of the left button over the label.
void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressedInside_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressedInside_ = false;
    if (click) {
        emit clicked();
    }
}

void ClickableLabel::mouseMoveEvent(QMouseEvent*) {
    emit pointerMoved();
}

ClickableLabel* createLinkLabel(QWidget* parent, const char* name, const QString& text,
                                const QFont& font, std::uint32_t fore, QRect twips) {
    auto* link = new ClickableLabel(text, ClickableLabel::Role::Link, parent);
    link->setObjectName(name);
    link->setFont(font);
    link->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setColours(*link, std::nullopt, fore);
    placeInTwips(*link, twips);
    return link;
}

}  // namespace quintara::qt
