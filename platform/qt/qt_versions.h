// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What differs between the Qt releases the program is built with (6.4 on Debian 12, 6.8 on
// Debian 13), decided here and nowhere else: the code asks for a feature by name, never for a
// version, so dropping an old Qt means deleting a line here and the branches that name it.
#include <QtGlobal>

// Qt 6.8 asks for each permission with a QWebEnginePermission (QWebEnginePage::permissionRequested)
// and deprecates the page's feature permissions (featurePermissionRequested, setFeaturePermission).
#define QUINTARA_QT_HAS_WEBENGINE_PERMISSION (QT_VERSION >= QT_VERSION_CHECK(6, 8, 0))

// Qt 6.8 has announcements a screen reader speaks at once, whatever has the focus
// (QAccessibleAnnouncementEvent).
#define QUINTARA_QT_HAS_ACCESSIBLE_ANNOUNCEMENTS (QT_VERSION >= QT_VERSION_CHECK(6, 8, 0))

// Qt 6.8's Wayland plugin draws its title bars in shared memory; 6.4's sets up OpenGL (Mesa, with
// LLVM) as the first window opens, only to decide whether it may draw them.
#define QUINTARA_QT_WAYLAND_DECORATES_WITHOUT_OPENGL (QT_VERSION >= QT_VERSION_CHECK(6, 8, 0))
