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
    }
    void setJollyCaption(std::string_view caption) override { jollyCaption = caption; }
    void setJollyBackStyle(BackStyle style) override { jollyBackStyle = style; }
    void setJollyBackColor(Colour colour) override { jollyBackColor = colour; }

    void setCoverWidth(int cover, int twips) override {
        coverWidths[cover] = twips;
        if (recordWidthChanges) {
            widthChanges.push_back({cover, twips});
        }
    }
    int coverWidth(int cover) const override { return coverWidths[cover]; }
    void setCoverVisible(int cover, bool visible) override { coverVisible[cover] = visible; }
    void coverMovementStarting() override { ++movements; }
    void coverStepDone() override { ++stepsDone; }
    void coverMovementFinished() override {}

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
};

}  // namespace quintara::draw
