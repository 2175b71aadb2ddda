// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/link_opener.h"

#include <QDesktopServices>

namespace quintara::qt {

void DesktopLinkOpener::open(const QUrl& page) {
    QDesktopServices::openUrl(page);
}

}  // namespace quintara::qt
