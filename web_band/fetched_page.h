// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkCookie>
#include <QString>
#include <QUrl>

namespace quintara::web_band {

// A page of the maker's site as our own fetch brought it: the engine is handed these bytes and
// never asks the site for the page itself.
struct FetchedPage {
    QUrl url;             // where the answer came from, after any redirection
    QString contentType;  // as the site named it, charset included
    QByteArray content;
    QList<QNetworkCookie> cookies;  // the cookies the answer set
};

}  // namespace quintara::web_band
