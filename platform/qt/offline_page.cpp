// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QFile>
#include <QLabel>

#include "platform/qt/link_opener.h"
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

void prepareOfflinePage(QLabel& label, LinkOpener& links) {
    label.setAlignment(Qt::AlignCenter);
    // The page's own background, which rich text in a label does not paint.
    QPalette colours = label.palette();
    colours.setColor(QPalette::Window, QColor(0xF4, 0xF7, 0xFB));
    label.setPalette(colours);
    label.setAutoFillBackground(true);
    label.setTextFormat(Qt::RichText);
    QObject::connect(&label, &QLabel::linkActivated, &label,
                     [&links](const QString& link) { links.open(QUrl(link)); });
}

}  // namespace quintara::qt
