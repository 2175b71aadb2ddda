// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QString>
#include <array>
#include <cstddef>

#include "draw/series.h"

namespace quintara::main_window {

// How the Jolly box shows a ball: the colour it is filled with, and the words a screen reader
// says of it.
struct BallLook {
    QColor fill;
    QString words;
};

inline BallLook ballLook(draw::BallColour colour) {
    // In the order of draw::BallColour.
    static const std::array<BallLook, 6> kLooks = {{
        {QColor(0, 128, 0), QStringLiteral("pallina verde")},
        {QColor(255, 0, 0), QStringLiteral("pallina rossa")},
        {QColor(0, 0, 255), QStringLiteral("pallina blu")},
        {QColor(255, 255, 0), QStringLiteral("pallina gialla")},
        {QColor(192, 0, 192), QStringLiteral("pallina viola")},
        {QColor(255, 128, 0), QStringLiteral("pallina arancione")},
    }};
    return kLooks[static_cast<std::size_t>(colour)];
}

}  // namespace quintara::main_window
