// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/page_fetch.h"

#include <QTimer>

#include "web_band/page_limits.h"
#include "web_band/security_policy.h"
#include "web_band/site_client/site_request.h"

namespace quintara::web_band {
namespace {

using site_client::SiteAnswer;
using site_client::SiteRequest;

bool isHtml(const QByteArray& contentType) {
    const QByteArray mediaType = contentType.split(';').first().trimmed().toLower();
    return mediaType == "text/html" || mediaType == "application/xhtml+xml";
}

// Only these hold a whole page: no content (204) would start the engine on a blank page, and a
// piece of one (206) was never asked for.
bool holdsAPage(int status) {
    return status == 200 || status == 203;
}

// Whether the band can show what this answer says it holds, before any of it is read.
bool showable(const SiteAnswer& head) {
    return holdsAPage(head.status) && isHtml(head.header("content-type")) &&
           withSecurityPolicy({}, head.header("content-type"),
                              head.header("content-security-policy"))
               .has_value();
}

}  // namespace

bool pageMayMove(const QUrl& from, const QUrl& to) {
    return to.scheme() == u"https" || (to.scheme() == u"http" && from.scheme() == u"http");
}

PageFetch::PageFetch(const QUrl& page, std::chrono::milliseconds timeout, Answer answer,
                     QObject* parent)
    : QObject(parent), answer_(std::move(answer)) {
    cookies_ = new site_client::SiteCookies(this);
    // Every byte read counts, whatever the answer: one past the limit is dropped at once, however
    // fast the site sends it.
    request_ = new SiteRequest(
        page, *cookies_, pageMayMove,
        [this](qint64 bytes) { return (bytesRead_ += bytes) <= kMostFetchedBytes; }, showable,
        [this](std::optional<SiteAnswer> answer) { finish(std::move(answer)); }, this);
    // A whole-answer limit: a site that trickles its page out must not hold the band.
    deadline_ = new QTimer(this);
    deadline_->setSingleShot(true);
    connect(deadline_, &QTimer::timeout, request_, &SiteRequest::abort);
    deadline_->start(timeout);
}

void PageFetch::finish(std::optional<SiteAnswer> answer) {
    deadline_->stop();
    std::optional<FetchedPage> page;
    // The engine never asks for the page itself, so a policy the site sent as a header must
    // travel inside the page.
    std::optional<QByteArray> content =
        answer ? withSecurityPolicy(answer->body, answer->header("content-type"),
                                    answer->header("content-security-policy"))
               : std::nullopt;
    if (content) {
        QList<QNetworkCookie> cookies;
        for (const QByteArray& setCookie : answer->headersNamed("set-cookie")) {
            for (QNetworkCookie cookie : QNetworkCookie::parseCookies(setCookie)) {
                cookie.normalize(answer->url);
                cookies.append(cookie);
            }
        }
        page = FetchedPage{answer->url, QString::fromLatin1(answer->header("content-type")),
                           *content, cookies};
    }
    // Last, so that whoever hears the answer may let this fetch go (with deleteLater).
    const Answer heard = std::move(answer_);
    heard(std::move(page));
}

}  // namespace quintara::web_band
