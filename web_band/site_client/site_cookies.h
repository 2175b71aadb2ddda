// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QNetworkCookieJar>

namespace quintara::site_client {

// The cookies the site's answers set, kept in memory alone, and no more of them than browsers
// keep at the least (RFC 6265, section 6.1): 50 a domain, each of at most 4096 bytes, its name,
// value and attributes together. A cookie past either bound is not kept, one that replaces a
// cookie kept is. Qt's jar, which kept them all, takes time that grows with the square of their
// number to keep each and to find those a request sends, on the window's thread: a site that set
// 120,000 froze the window for minutes.
class SiteCookies final : public QNetworkCookieJar {
public:
    static constexpr int kMostPerDomain = 50;
    static constexpr qsizetype kMostBytes = 4096;

    explicit SiteCookies(QObject* parent) : QNetworkCookieJar(parent) {}

    bool insertCookie(const QNetworkCookie& cookie) override;
};

}  // namespace quintara::site_client
