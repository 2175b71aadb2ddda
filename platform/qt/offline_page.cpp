// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QFile>

#include "platform/qt/site.h"
#include "platform/qt/web_view.h"

namespace quintara::qt {

QString offlinePageHtml() {
    QFile page(QStringLiteral(":/quintara/web_offline.html"));
    page.open(QIODevice::ReadOnly);
    QString html = QString::fromUtf8(page.readAll());
    html.replace(QStringLiteral("@HOST@"), site::host().toHtmlEscaped());
    html.replace(QStringLiteral("@HOME@"), site::homePage().toString().toHtmlEscaped());
    return html;
}

}  // namespace quintara::qt
