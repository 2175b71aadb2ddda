// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/engine/request_filter.h"

#include "web_band/engine/resource_kinds.h"
#include "web_band/engine/site_addresses.h"

namespace quintara::web_band {
namespace {

// What a small page of the maker's needs to show itself whole.
std::optional<ResourceKind> ownResourceKind(QWebEngineUrlRequestInfo::ResourceType type) {
    switch (type) {
        case QWebEngineUrlRequestInfo::ResourceTypeStylesheet:
            return ResourceKind::StyleSheet;
        case QWebEngineUrlRequestInfo::ResourceTypeScript:
            return ResourceKind::Script;
        case QWebEngineUrlRequestInfo::ResourceTypeImage:
        case QWebEngineUrlRequestInfo::ResourceTypeFavicon:
            return ResourceKind::Picture;
        case QWebEngineUrlRequestInfo::ResourceTypeFontResource:
            return ResourceKind::Font;
        default:
            return std::nullopt;
    }
}

}  // namespace

void RequestFilter::interceptRequest(QWebEngineUrlRequestInfo& request) {
    const QUrl address = request.requestUrl();
    const bool ours = address.scheme() == QLatin1String(kResourceScheme);
    if (request.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame) {
        // The band's own pages: the one our fetch brought, and our offline page as a data:
        // address; the link gate has let no other through.
        request.block(address != resourceAddress(page_) && address.scheme() != u"data");
        return;
    }
    const std::optional<ResourceKind> kind = ownResourceKind(request.resourceType());
    if (!kind || !(ours || onThePagesSite(address, page_))) {
        request.block(true);
    } else if (ours) {
        request.setHttpHeader(kResourceKindHeader, nameOf(*kind));
    } else {
        request.redirect(resourceAddress(address));
    }
}

}  // namespace quintara::web_band
