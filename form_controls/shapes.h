// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QWidget>
#include <optional>

namespace quintara::form_controls {

// A rectangle that paints itself: the covers in front of the numbers, the main window's outline,
// the bar behind "Continua" and the box around the donation appeal. Like any shape of a layout it
// takes no mouse events: they go to whatever lies beneath. It keeps its width in twips, read back
// exactly as set.
class ShapeWidget : public QWidget {
    // The window tests find the covers by name; from Qt 6.8 findChild wants Q_OBJECT for that.
    Q_OBJECT

public:
    struct Style {
        QColor border = Qt::black;
        int borderWidth = 1;  // in pixels; 0 for none
        std::optional<QColor> fill = std::nullopt;
        bool rounded = false;
    };

    ShapeWidget(QWidget* parent, QRect twipsGeometry, Style style);

    void setWidthTwips(int twips);
    int widthTwips() const { return twipsGeometry_.width(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void applyGeometry();

    QRect twipsGeometry_;
    Style style_;
};

// A straight line between two points given in twips. Takes no mouse events either.
class LineWidget : public QWidget {
public:
    LineWidget(QWidget* parent, QPoint fromTwips, QPoint toTwips, QColor colour, int widthPixels);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint from_;  // in the widget's own pixels
    QPoint to_;
    QColor colour_;
    int width_;
};

}  // namespace quintara::form_controls
