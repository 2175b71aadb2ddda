// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <array>

#include "draw/cover_display.h"
#include "draw/series.h"

class QLabel;

namespace quintara::form_controls {
class ShapeWidget;
}

namespace quintara::main_window {

// The main window's number boxes, Jolly box and covers: the series on view, and the covers as the
// animation moves them.
class NumberBoard final : public draw::CoverDisplay {
public:
    struct Widgets {
        std::array<std::array<QLabel*, 6>, 2> columns;
        QLabel* jolly;
        std::array<form_controls::ShapeWidget*, 13> covers;
    };

    explicit NumberBoard(Widgets widgets);

    // Puts a series on the boxes, and their names for a screen reader.
    void show(const draw::Series& series);

    // The series the boxes show, in one line: "Colonna 1: 9 18 34 36 51 79 - Colonna 2: 45 46
    // 59 67 73 85 - Jolly: 44", the Jolly box's colour in its place when it hides the number.
    QString seriesText() const;

    void setCoverWidth(int cover, int twips) override;
    int coverWidth(int cover) const override;
    void setCoverVisible(int cover, bool visible) override;

private:
    QString jollyWords() const;

    Widgets widgets_;
    // What the boxes show: "00" until the first series.
    std::array<std::array<QString, 6>, 2> numbers_;
    QString jolly_;
    std::optional<draw::BallColour> jollyColour_;
};

}  // namespace quintara::main_window
