// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace quintara::main_window {

// A cover, named after the box it lies on: a number of column 0 or 1, at position 0 to 5 from the
// left, or the Jolly box.
struct Cover {
    static constexpr Cover onNumber(int column, int position) { return {column, position}; }
    static constexpr Cover onJolly() { return {kJolly, 0}; }

    constexpr bool isJolly() const { return column == kJolly; }

    int column = 0;
    int position = 0;

    friend bool operator==(const Cover&, const Cover&) = default;

private:
    static constexpr int kJolly = -1;
};

// What a cover movement needs of the main window's covers. Widths are in twips, as the layout
// gives them, and read back exactly as set.
class CoverDisplay {
public:
    virtual ~CoverDisplay() = default;

    virtual void setCoverWidth(Cover cover, int twips) = 0;
    virtual int coverWidth(Cover cover) const = 0;
    virtual void setCoverVisible(Cover cover, bool visible) = 0;
};

}  // namespace quintara::main_window
