// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QUrl>
#include <QWebEngineUrlSchemeHandler>
#include <memory>

#include "web_band/page_limits.h"

class QNetworkAccessManager;
class QNetworkCookie;
class QNetworkCookieJar;

namespace quintara::web_band {

// The scheme under which the engine asks us for the page's own resources: the request filter
// sends them there.
inline constexpr char kResourceScheme[] = "quintara-site";

// Tells the engine of the resource scheme; before its first page, once for the run.
void registerResourceScheme();

// Our own fetch of the page's resources. Each comes whole or not at all, from the page's own site
// only, with the cookies the engine holds, within the limits of page_limits.h: the engine never
// streams an answer of the site itself, so no answer can grow without end inside it.
class ResourceFetch final : public QWebEngineUrlSchemeHandler {
public:
    explicit ResourceFetch(QObject* parent);

    // The band shows a new page: its site, and a budget of its own.
    void startPage(const QUrl& page);

    // The engine's cookies, which our requests carry as the engine's own would.
    void cookieAdded(const QNetworkCookie& cookie);
    void cookieRemoved(const QNetworkCookie& cookie);

    void requestStarted(QWebEngineUrlRequestJob* job) override;

    // What the page's resources may still take.
    struct Budget {
        qint64 bytesLeft = kMostPageResourceBytes;
        int requestsLeft = kMostPageResources;
    };

private:
    QNetworkAccessManager* network_ = nullptr;
    QNetworkCookieJar* cookies_ = nullptr;
    QUrl page_;
    std::shared_ptr<Budget> budget_;
};

// Where the engine asks us for `resource` of the page's own site, and where on the site we fetch
// what it asks for there: nothing when that is not on `page`'s own site.
QUrl resourceAddress(const QUrl& resource);
QUrl siteAddress(const QUrl& resource, const QUrl& page);
bool onThePagesSite(const QUrl& address, const QUrl& page);

}  // namespace quintara::web_band
