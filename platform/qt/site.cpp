// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/site.h"

#include "quintara_site_host.h"

namespace quintara::qt::site {
namespace {

QUrl page(const QString& scheme, const QString& path) {
    return QUrl(scheme + QStringLiteral("://") + host() + path);
}

}  // namespace

QString host() {
    return QString::fromUtf8(kSiteHost);
}

QUrl homePage() {
    return page("https", "/");
}
QUrl productPage() {
    return page("http", "/quintara.html");
}
QUrl donationPage() {
    return page("http", "/Paypal-dona.html");
}
QUrl bandPage() {
    return page("http", "/riq-quintara.html");
}

}  // namespace quintara::qt::site
