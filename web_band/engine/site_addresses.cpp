// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/engine/site_addresses.h"

namespace quintara::web_band {

QUrl resourceAddress(const QUrl& address) {
    QUrl resource = address;
    resource.setScheme(QString::fromLatin1(kResourceScheme));
    resource.setPort(-1);
    resource.setUserInfo(QString());
    resource.setFragment(QString());
    return resource;
}

QUrl siteAddress(const QUrl& resource, const QUrl& page) {
    if (resource.scheme() != QLatin1String(kResourceScheme) || resource.host() != page.host()) {
        return QUrl();
    }
    QUrl address = page;
    address.setPath(resource.path(QUrl::FullyEncoded), QUrl::TolerantMode);
    address.setQuery(resource.query(QUrl::FullyEncoded), QUrl::TolerantMode);
    address.setFragment(resource.fragment(QUrl::FullyEncoded), QUrl::TolerantMode);
    return address;
}

bool onThePagesSite(const QUrl& address, const QUrl& page) {
    return address.scheme() == page.scheme() && address.host() == page.host() &&
           address.port(-1) == page.port(-1);
}

}  // namespace quintara::web_band
