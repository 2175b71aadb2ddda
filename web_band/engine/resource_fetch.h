// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWebEngineUrlSchemeHandler>
#include <memory>

#include "web_band/fetched_page.h"
#include "web_band/page_limits.h"

namespace quintara::site_client {
class SiteCookies;
}  // namespace quintara::site_client

namespace quintara::web_band {

// Tells the engine of the scheme the page lives under (site_addresses.h); before its first page,
// once for the run.
void registerResourceScheme();

// What the engine shows under our scheme: the page our fetch brought, handed over as it is, and
// its resources, which we fetch ourselves. Each comes whole or not at all, from the page's own
// site only, with the cookies the site's answers set, within the limits of page_limits.h, and
// only when its answer suits what the page asked for it as (resource_kinds.h): the engine never
// streams an answer of the site itself, so no answer can grow without end inside it.
class ResourceFetch final : public QWebEngineUrlSchemeHandler {
public:
    explicit ResourceFetch(QObject* parent);

    // The band shows a new page: its site, and a budget of its own.
    void startPage(const FetchedPage& page);

    void requestStarted(QWebEngineUrlRequestJob* job) override;

    // What the page's resources may still take.
    struct Budget {
        qint64 bytesLeft = kMostPageResourceBytes;
        int requestsLeft = kMostPageResources;
    };

private:
    site_client::SiteCookies* cookies_ = nullptr;
    FetchedPage page_;
    std::shared_ptr<Budget> budget_;
};

}  // namespace quintara::web_band
