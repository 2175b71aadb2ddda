// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QUrl>

namespace quintara::qt::site {

// The maker's web site. Its host is a build setting (QUINTARA_SITE_HOST); the default is a
// reserved name, so that no build ever sends a user to a stranger's site.
QString host();

QUrl homePage();      // https://HOST/
QUrl productPage();   // http://HOST/quintara.html
QUrl donationPage();  // http://HOST/Paypal-dona.html
QUrl bandPage();      // http://HOST/riq-quintara.html, shown in the main window's band

}  // namespace quintara::qt::site
