// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace quintara::form_controls {

// Our pictures come at the size the layouts give them and, for screens scaled above
// 100 %, drawn twice as large beside them (NAME@2x.EXT, as Qt names such variants). At 100 % the
// designed picture is shown exactly as it is; above, the larger one is scaled down to the
// screen instead of the designed one being enlarged, which looks soft.

// The designed picture, or the larger one when a screen is scaled above 100 % and there is one.
QPixmap designPicture(const QString& file);

// Both sizes, for Qt to choose from on each screen.
QIcon designIcon(const QString& file);

}  // namespace quintara::form_controls
