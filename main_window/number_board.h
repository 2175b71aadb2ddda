// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>
#include <QString>
#include <array>
#include <optional>

#include "draw/series.h"
#include "main_window/cover_display.h"

class QLabel;
class QWidget;

namespace quintara::form_controls {
class ShapeWidget;
}

namespace quintara::main_window {

// The main window's number boxes, Jolly box and the covers over them: the series on view, and the
// covers as a movement moves them. The board makes these controls and is the only one that
// changes them.
class NumberBoard final : public CoverDisplay {
public:
    // Lays the boxes and their covers out on `surface`: "00" in every box, the covers hidden and
    // at the width of their boxes.
    explicit NumberBoard(QWidget& surface);

    // Puts a series on the boxes, and their names for a screen reader.
    void show(const draw::Series& series);
    void showCovers();

    // The series the boxes show, in one line: "Colonna 1: 9 18 34 36 51 79 - Colonna 2: 45 46
    // 59 67 73 85 - Jolly: 44", the Jolly box's colour in its place when it hides the number.
    QString seriesText() const;

    // The boxes, for the window's reading order, which puts each column's caption before it.
    std::array<QWidget*, 6> column(int column) const;
    QWidget* jollyBox() const;
    // Where the covers lie at full width.
    QRect coverArea() const { return coverArea_; }

    void setCoverWidth(Cover cover, int twips) override;
    int coverWidth(Cover cover) const override;
    void setCoverVisible(Cover cover, bool visible) override;

private:
    void writeBoxes();
    form_controls::ShapeWidget& shapeOf(Cover cover) const;
    QString jollyWords() const;

    std::array<std::array<QLabel*, 6>, 2> numberBoxes_{};
    QLabel* jollyBox_ = nullptr;
    std::array<std::array<form_controls::ShapeWidget*, 6>, 2> numberCovers_{};
    form_controls::ShapeWidget* jollyCover_ = nullptr;
    QRect coverArea_;

    // What the boxes show: "00" until the first series.
    std::array<std::array<QString, 6>, 2> numbers_;
    QString jolly_;
    std::optional<draw::BallColour> jollyColour_;
};

}  // namespace quintara::main_window
