// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string_view>

namespace quintara::draw {

// A colour as the windows store it: &H00BBGGRR, red in the low byte.
using Colour = std::uint32_t;

enum class BackStyle { Transparent = 0, Opaque = 1 };

// What the draw needs of the main window's number labels and Jolly box.
class NumberDisplay {
public:
    virtual ~NumberDisplay() = default;

    // Number label `index` (0 leftmost .. 5) of column 1 or 2. Written on every attempt, up to
    // millions of times a series, so an implementation should only store the text.
    virtual void setNumberCaption(int column, int index, std::string_view caption) = 0;

    virtual void setJollyCaption(std::string_view caption) = 0;
    virtual void setJollyBackStyle(BackStyle style) = 0;
    virtual void setJollyBackColor(Colour colour) = 0;
};

// What the cover animation needs of the main window's thirteen covers, numbered 0 to 12.
// Widths are in twips and read back exactly as set.
class CoverDisplay {
public:
    virtual ~CoverDisplay() = default;

    virtual void setCoverWidth(int cover, int twips) = 0;
    virtual int coverWidth(int cover) const = 0;
    virtual void setCoverVisible(int cover, bool visible) = 0;

    // A movement is a run of width changes that the user should see as one slide; the engine
    // announces each and calls coverStepDone after every width change. The window decides when
    // to paint and how to pace; the engine itself never waits.
    virtual void coverMovementStarting() = 0;
    virtual void coverStepDone() = 0;
    virtual void coverMovementFinished() = 0;
};

}  // namespace quintara::draw
