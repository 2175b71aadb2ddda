// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace quintara::qt {

// Before the application object is made: on a Wayland desktop that also offers X11 (XWayland),
// and when the user named no platform, a Qt whose Wayland plugin loads OpenGL with the first
// window (only to learn whether it may draw title bars) is started on X11, where the program maps
// no OpenGL until the maker's page comes: about 40 MiB instead of 97 on Debian 12. Wayland alone,
// or a platform the user chose (QT_QPA_PLATFORM, -platform), is left as it is.
void preferTheLighterWindowSystem();

}  // namespace quintara::qt
