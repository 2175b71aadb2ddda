// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/offline_band.h"

#include <QFile>
#include <QTextDocumentFragment>

#include "platform/qt/link_opener.h"
#include "platform/qt/site.h"

namespace quintara::web_band {

OfflineBand::OfflineBand(QWidget& parent, qt::LinkOpener& links)
    : form_controls::LinkedText(&parent) {
    setAlignment(Qt::AlignCenter);
    // The page's own background, which rich text in a label does not paint.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0xF4, 0xF7, 0xFB));
    setPalette(colours);
    setAutoFillBackground(true);
    setText(html());
    // What a screen reader says of it: the page's words, without the line breaks of its markup.
    setAccessibleName(QTextDocumentFragment::fromHtml(text()).toPlainText().simplified());
    connect(this, &QLabel::linkActivated, this,
            [&links](const QString& link) { links.open(QUrl(link)); });
}

QString OfflineBand::html() {
    QFile page(QStringLiteral(":/quintara/web_offline.html"));
    page.open(QIODevice::ReadOnly);
    QString html = QString::fromUtf8(page.readAll());
    html.replace(QStringLiteral("@HOST@"), qt::site::host().toHtmlEscaped());
    html.replace(QStringLiteral("@HOME@"), qt::site::homePage().toString().toHtmlEscaped());
    return html;
}

bool OfflineBand::navigate(const QUrl& page) {
    return page.isValid();
}

}  // namespace quintara::web_band
