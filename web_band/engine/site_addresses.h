// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QUrl>

namespace quintara::web_band {

// The scheme under which the engine shows the page and asks us for its resources: the page lives
// at quintara-site://HOST/PATH, so that its own addresses, relative or not, are of this scheme
// and its own security policy holds for them ('self' among them), while the engine reaches
// nothing of the site except through us.
inline constexpr char kResourceScheme[] = "quintara-site";

// Where the engine shows or asks us for `address` of the site, and where on the site we fetch
// what it asks for there: nothing when that is not on `page`'s own site.
QUrl resourceAddress(const QUrl& address);
QUrl siteAddress(const QUrl& resource, const QUrl& page);
bool onThePagesSite(const QUrl& address, const QUrl& page);

}  // namespace quintara::web_band
