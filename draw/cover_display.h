// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace quintara::draw {

// What the cover animation needs of the main window's thirteen covers, numbered 0 to 12.
// Widths are in twips and read back exactly as set.
class CoverDisplay {
public:
    virtual ~CoverDisplay() = default;

    virtual void setCoverWidth(int cover, int twips) = 0;
    virtual int coverWidth(int cover) const = 0;
    virtual void setCoverVisible(int cover, bool visible) = 0;
};

}  // namespace quintara::draw
