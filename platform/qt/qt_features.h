// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// What the Qt at hand offers beyond the oldest Qt the program builds with (6.4): the one place
// where the code asks for Qt's version.

// Announcements a screen reader speaks at once, whatever has the focus (Qt 6.8).
#define QUINTARA_QT_HAS_ACCESSIBLE_ANNOUNCEMENTS (QT_VERSION >= QT_VERSION_CHECK(6, 8, 0))
