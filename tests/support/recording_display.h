// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <string>
#include <vector>

#include "draw/cover_animation.h"
#include "draw/display.h"

namespace quintara::draw {

// A display without a screen: keeps what the engine last set and, for the covers, every width
// change in order. Used by the tests and the benchmarks.
class RecordingDisplay final : public NumberDisplay, public CoverDisplay {
public:
    struct WidthChange {
        int cover;
        int twips;
        friend bool operator==(const WidthChange&, const WidthChange&) = default;
    };

    RecordingDisplay() {
        for (auto& column : numberCaptions) {
            column.fill("00");
        }
        coverWidths.fill(kCoverFullWidth);
        coverWidths[kJollyCover] = 2055;
    }

    void setNumberCaption(int column, int index, std::string_view caption) override {
        numberCaptions[column - 1][index] = caption;
        ++captionWrites;
        if (recordCaptionOrder) {
            captionOrder.push_back(index);
        }
        note('L');
    }
    void setJollyCaption(std::string_view caption) override {
        jollyCaption = caption;
        note('L');
    }
    void setJollyBackStyle(BackStyle style) override {
        jollyBackStyle = style;
        note('L');
    }
    void setJollyBackColor(Colour colour) override {
        jollyBackColor = colour;
        note('L');
    }

    void setCoverWidth(int cover, int twips) override {
        coverWidths[cover] = twips;
        if (recordWidthChanges) {
            widthChanges.push_back({cover, twips});
        }
        note('w');
    }
    int coverWidth(int cover) const override { return coverWidths[cover]; }
    void setCoverVisible(int cover, bool visible) override { coverVisible[cover] = visible; }
    void coverMovementStarting() override {
        ++movements;
        note('[');
    }
    void coverStepDone() override { ++stepsDone; }
    void coverMovementFinished() override { note(']'); }

    std::array<std::array<std::string, 6>, 2> numberCaptions;
    std::string jollyCaption = "00";
    BackStyle jollyBackStyle = BackStyle::Opaque;
    Colour jollyBackColor = 0xFFFFFF;
    long captionWrites = 0;
    // The label index of every caption write; long runs turn this off to keep memory flat.
    bool recordCaptionOrder = true;
    std::vector<int> captionOrder;

    std::array<int, kCoverCount> coverWidths{};
    std::array<bool, kCoverCount> coverVisible{};
    bool recordWidthChanges = true;
    std::vector<WidthChange> widthChanges;
    int movements = 0;
    long stepsDone = 0;

    // Label writes and cover movements in one sequence, one letter an event: 'L' a number label
    // or the Jolly box is written, '[' a movement starts, 'w' a cover's width changes, ']' the
    // movement ends. Off unless a test turns it on.
    bool recordTimeline = false;
    std::string timeline;

private:
    void note(char event) {
        if (recordTimeline) {
            timeline.push_back(event);
        }
    }
};

}  // namespace quintara::draw
