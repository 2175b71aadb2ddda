// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>
#include <array>
#include <chrono>
#include <string>

#include "draw/display.h"
#include "main_window/cover_pacer.h"

class QLabel;
class QWidget;

namespace quintara::qt {
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
        std::array<qt::ShapeWidget*, 13> covers;
        QWidget* surface;  // painted over the covers' area while they move
    };

    NumberBoard(Widgets widgets, std::chrono::milliseconds phaseDuration);

    void setNumberCaption(int column, int index, std::string_view caption) override;
    void setJollyCaption(std::string_view caption) override;
    void setJollyBackStyle(draw::BackStyle style) override;
    void setJollyBackColor(draw::Colour colour) override;

    // Puts what the draw last wrote on the labels.
    void showCaptions();

    void setCoverWidth(int cover, int twips) override;
    int coverWidth(int cover) const override;
    void setCoverVisible(int cover, bool visible) override;
    void coverMovementStarting() override;
    void coverStepDone() override;
    void coverMovementFinished() override;

private:
    void paintCovers();

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
