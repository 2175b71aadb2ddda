// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>

namespace quintara::program {

// The program's icon, drawn at 16 to 256 pixels. Each size is read from its file whenever a
// window asks for it, and not kept: an icon made from files keeps every size it was given for the
// rest of the run (350 KiB for these six), while each window needs them only as it is made, to
// hand them to the desktop.
QIcon applicationIcon();

}  // namespace quintara::program
