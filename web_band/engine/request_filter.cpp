// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/engine/request_filter.h"

#include "web_band/engine/resource_fetch.h"

namespace quintara::web_band {
namespace {

// What a small page of the maker's needs to show itself whole.
bool isOwnResourceKind(QWebEngineUrlRequestInfo::ResourceType kind) {
    switch (kind) {
        case QWebEngineUrlRequestInfo::ResourceTypeStylesheet:
        case QWebEngineUrlRequestInfo::ResourceTypeScript:
        case QWebEngineUrlRequestInfo::ResourceTypeImage:
        case QWebEngineUrlRequestInfo::ResourceTypeFavicon:
        case QWebEngineUrlRequestInfo::ResourceTypeFontResource:
            return true;
        default:
            return false;
    }
}

}  // namespace

void RequestFilter::interceptRequest(QWebEngineUrlRequestInfo& request) {
    const QUrl address = request.requestUrl();
    const bool ours = address.scheme() == QLatin1String(kResourceScheme);
    if (request.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame) {
        // The band's own pages come as data: addresses; the link gate has let no other through.
        request.block(address.scheme() != u"data");
    } else if (!isOwnResourceKind(request.resourceType()) ||
               !(ours || onThePagesSite(address, page_))) {
        request.block(true);
    } else if (!ours) {
        request.redirect(resourceAddress(address));
    }
}

}  // namespace quintara::web_band
