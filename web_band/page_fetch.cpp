// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/page_fetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

#include "web_band/environment_proxies.h"
#include "web_band/page_limits.h"
#include "web_band/security_policy.h"

namespace quintara::web_band {
namespace {

bool isHtml(const QString& contentType) {
    const QString mediaType = contentType.section(u';', 0, 0).trimmed().toLower();
    return mediaType == u"text/html" || mediaType == u"application/xhtml+xml";
}

}  // namespace

PageFetch::PageFetch(const QUrl& page, std::chrono::milliseconds timeout, Answer answer,
                     QObject* parent)
    : QObject(parent), answer_(std::move(answer)) {
    // No cache and an in-memory cookie jar: the request leaves nothing on disk.
    auto* network = new QNetworkAccessManager(this);
    network->setProxyFactory(new EnvironmentProxies);
    reply_ = network->get(QNetworkRequest(page));
    connect(reply_, &QNetworkReply::readyRead, this, &PageFetch::keepWhatArrived);
    connect(reply_, &QNetworkReply::finished, this, &PageFetch::finish);
    // A whole-answer limit: a site that trickles its page out must not hold the band.
    deadline_ = new QTimer(this);
    deadline_->setSingleShot(true);
    connect(deadline_, &QTimer::timeout, reply_, &QNetworkReply::abort);
    deadline_->start(timeout);
}

// The answer is read as it arrives, so that one past the limit is dropped at once, however fast
// the site sends it.
void PageFetch::keepWhatArrived() {
    content_ += reply_->readAll();
    if (content_.size() > kMostFetchedBytes) {
        reply_->abort();
    }
}

void PageFetch::finish() {
    deadline_->stop();
    std::optional<FetchedPage> page = pageOfAnswer();
    // Last, so that whoever hears the answer may let this fetch go (with deleteLater).
    const Answer answer = std::move(answer_);
    answer(std::move(page));
}

std::optional<FetchedPage> PageFetch::pageOfAnswer() {
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString contentType = reply_->header(QNetworkRequest::ContentTypeHeader).toString();
    if (reply_->error() != QNetworkReply::NoError || status < 200 || status > 299 ||
        !isHtml(contentType)) {
        return std::nullopt;
    }
    // The engine never asks for the page itself, so a policy the site sent as a header must
    // travel inside the page.
    content_ += reply_->readAll();
    std::optional<QByteArray> content =
        withSecurityPolicy(content_, reply_->rawHeader("Content-Security-Policy"));
    if (!content || !fitsTheEngine(*content, contentType)) {
        return std::nullopt;
    }
    return FetchedPage{
        reply_->url(), contentType, *content,
        reply_->header(QNetworkRequest::SetCookieHeader).value<QList<QNetworkCookie>>()};
}

}  // namespace quintara::web_band
