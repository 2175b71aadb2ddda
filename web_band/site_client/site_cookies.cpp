// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/site_client/site_cookies.h"

#include <QNetworkCookie>
#include <algorithm>

namespace quintara::site_client {
namespace {

// A cookie for a domain and one for a host of that name count alike.
QString domainOf(const QNetworkCookie& cookie) {
    const QString domain = cookie.domain().toLower();
    return domain.startsWith(u'.') ? domain.mid(1) : domain;
}

}  // namespace

bool SiteCookies::insertCookie(const QNetworkCookie& cookie) {
    if (cookie.toRawForm().size() > kMostBytes) {
        return false;
    }
    const QList<QNetworkCookie> kept = allCookies();
    const bool replaces = std::any_of(kept.begin(), kept.end(), [&](const QNetworkCookie& each) {
        return each.hasSameIdentifier(cookie);
    });
    const QString domain = domainOf(cookie);
    if (!replaces && std::count_if(kept.begin(), kept.end(), [&](const QNetworkCookie& each) {
                         return domainOf(each) == domain;
                     }) >= kMostPerDomain) {
        return false;
    }
    return QNetworkCookieJar::insertCookie(cookie);
}

}  // namespace quintara::site_client
