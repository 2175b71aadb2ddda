// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>
#include <QString>
#include <array>
#include <chrono>
#include <string>

#include "draw/display.h"
#include "main_window/cover_pacer.h"

class QLabel;
class QWidget;

namespace quintara::form_controls {
class ShapeWidget;
}

namespace quintara::main_window {

// The main window's number labels, Jolly box and covers as the draw engine sees them.
//
// The draw may write the captions a million times in one series, so they are only kept here
// and reach the labels in one go when the covers start to open (or when the command ends):
// no label lays itself out or repaints per attempt. Cover movements are painted as they go,
// paced by time.
class NumberBoard final : public draw::NumberDisplay, public draw::CoverDisplay {
public:
    struct Widgets {
        std::array<QLabel*, 6> column1;
        std::array<QLabel*, 6> column2;
        QLabel* jolly;
        std::array<form_controls::ShapeWidget*, 13> covers;
        QWidget* surface;  // painted over the covers' area while they move
    };

    NumberBoard(Widgets widgets, std::chrono::milliseconds phaseDuration);

    void setNumberCaption(int column, int index, std::string_view caption) override;
    void setJollyCaption(std::string_view caption) override;
    void setJollyBackStyle(draw::BackStyle style) override;
    void setJollyBackColor(draw::Colour colour) override;

    // Puts what the draw last wrote on the labels, and their names for a screen reader.
    void showCaptions();

    // The series the labels show, in one line: "Colonna 1: 9 18 34 36 51 79 - Colonna 2: 45 46
    // 59 67 73 85 - Jolly: 44", the Jolly box's colour in its place when it hides the number.
    QString seriesText() const;

    void setCoverWidth(int cover, int twips) override;
    int coverWidth(int cover) const override;
    void setCoverVisible(int cover, bool visible) override;
    void coverMovementStarting() override;
    void coverStepDone() override;
    void coverMovementFinished() override;

private:
    void paintCovers();
    QString jollyWords() const;
    // The random-colour box: no number, only a ball's colour.
    bool hidesTheJolly() const {
        return jollyBackStyle_ == draw::BackStyle::Opaque && jollyCaption_.empty();
    }

    Widgets widgets_;
    QRect coverArea_;
    CoverPacer pacer_;
    std::array<std::array<std::string, 6>, 2> captions_;
    std::string jollyCaption_;
    draw::BackStyle jollyBackStyle_;
    draw::Colour jollyBackColor_;
    bool captionsPending_ = false;
};

}  // namespace quintara::main_window
