// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/window_system.h"

#include <QByteArray>
#include <QtGlobal>

#include "platform/qt/qt_versions.h"

namespace quintara::qt {

void preferTheLighterWindowSystem() {
#if !QUINTARA_QT_WAYLAND_DECORATES_WITHOUT_OPENGL
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY")) {
        // A list: should X11 not answer after all, Qt goes on to Wayland.
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb;wayland"));
    }
#endif
}

}  // namespace quintara::qt
