// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <optional>

#include "web_band/fetched_page.h"

class QTimer;

namespace quintara::site_client {
class SiteCookies;
class SiteRequest;
struct SiteAnswer;
}  // namespace quintara::site_client

namespace quintara::web_band {

// Whether a redirection may take the page from `from` to `to`: to another address of the web, but
// not from an encrypted one to a plain one.
bool pageMayMove(const QUrl& from, const QUrl& to);

// Asks the site for one page with a plain HTTP request, silently: no dialog, nothing kept on
// disk, the proxies of the user's environment as the engine would use them. The answer comes
// once: the page when a 200 answer with HTML arrived whole within `timeout` and can be handed to
// the engine; none otherwise (no connection, an error answer or one without a page, something
// other than HTML, too slow, too large, or a security policy the band cannot keep).
class PageFetch final : public QObject {
public:
    using Answer = std::function<void(std::optional<FetchedPage>)>;

    PageFetch(const QUrl& page, std::chrono::milliseconds timeout, Answer answer, QObject* parent);

private:
    void finish(std::optional<site_client::SiteAnswer> answer);

    site_client::SiteCookies* cookies_ = nullptr;
    site_client::SiteRequest* request_ = nullptr;
    QTimer* deadline_ = nullptr;
    Answer answer_;
    qint64 bytesRead_ = 0;
};

}  // namespace quintara::web_band
