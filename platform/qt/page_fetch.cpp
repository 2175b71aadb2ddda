// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/page_fetch.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QTimer>

namespace quintara::qt {
namespace {

// A page larger than this is not kept: the engine asks for it itself.
constexpr qint64 kMaxKeptBytes = 2 * 1024 * 1024;

// The proxies the user's environment names, which the engine would use too; like the engine,
// never for this machine itself.
class EnvironmentProxies final : public QNetworkProxyFactory {
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override {
        const QString host = query.peerHostName();
        if (host.compare(u"localhost", Qt::CaseInsensitive) == 0 ||
            QHostAddress(host).isLoopback()) {
            return {QNetworkProxy(QNetworkProxy::NoProxy)};
        }
        return systemProxyForQuery(query);
    }
};

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
    connect(reply_, &QNetworkReply::readyRead, this, &PageFetch::keepOrDrop);
    connect(reply_, &QNetworkReply::finished, this, &PageFetch::finish);
    // A whole-answer limit: a site that trickles its page out must not hold the band.
    deadline_ = new QTimer(this);
    deadline_->setSingleShot(true);
    connect(deadline_, &QTimer::timeout, reply_, &QNetworkReply::abort);
    deadline_->start(timeout);
}

void PageFetch::keepOrDrop() {
    if (reply_->bytesAvailable() > kMaxKeptBytes) {
        tooLarge_ = true;
        reply_->abort();
    }
}

void PageFetch::finish() {
    deadline_->stop();
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString contentType = reply_->header(QNetworkRequest::ContentTypeHeader).toString();
    const bool arrived = reply_->error() == QNetworkReply::NoError || tooLarge_;
    std::optional<SitePage> page;
    if (arrived && status >= 200 && status <= 299 && isHtml(contentType)) {
        page = SitePage{
            reply_->url(), contentType, std::nullopt,
            reply_->header(QNetworkRequest::SetCookieHeader).value<QList<QNetworkCookie>>()};
        // A policy sent as a header holds only for a page the engine loads itself.
        if (!tooLarge_ && !reply_->hasRawHeader("Content-Security-Policy")) {
            page->content = reply_->readAll();
        }
    }
    // Last, so that whoever hears the answer may let this fetch go (with deleteLater).
    const Answer answer = std::move(answer_);
    answer(std::move(page));
}

}  // namespace quintara::qt
