// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_controls/clickable_label.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "form_controls/control_properties.h"
#include "form_controls/twips.h"

namespace quintara::form_controls {

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

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool presses = key == Qt::Key_Return || key == Qt::Key_Enter ||
                         (key == Qt::Key_Space && role_ == Role::Button);
    if (!presses || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QLabel::keyPressEvent(event);
        return;
    }
    // A held key would otherwise press it again and again.
    if (!event->isAutoRepeat()) {
        emit clicked();
    }
}

// The focus frame hugs the caption, or lies just inside a picture's border, so that nothing
// else about the control changes when it takes the focus.
void ClickableLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QRect around = contentsRect().adjusted(1, 1, -2, -2);
    if (pixmap().isNull()) {
        around = fontMetrics()
                     .boundingRect(contentsRect(), int(alignment()) | Qt::TextWordWrap, text())
                     .adjusted(-1, 0, 0, -1)
                     .intersected(rect().adjusted(0, 0, -1, -1));
    }
    QPainter painter(this);
    QPen dotted(palette().color(QPalette::WindowText), 0);
    dotted.setDashPattern({1, 1});
    painter.setPen(dotted);
    painter.drawRect(around);
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

}  // namespace quintara::form_controls
