// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/engine/resource_fetch.h"

#include <QBuffer>
#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QPointer>
#include <QTimer>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

#include "web_band/environment_proxies.h"

namespace quintara::web_band {
namespace {

// One resource on its way: what arrived is kept until the answer is whole, and charged to the
// page's budget as it arrives, so that an answer past either limit is dropped at once.
class ResourceOnItsWay final : public QObject {
public:
    ResourceOnItsWay(QNetworkReply& reply, QWebEngineUrlRequestJob& job,
                     std::shared_ptr<ResourceFetch::Budget> budget)
        : QObject(&reply), reply_(reply), job_(&job), budget_(std::move(budget)) {
        connect(&reply, &QNetworkReply::readyRead, this, &ResourceOnItsWay::keepWhatArrived);
        connect(&reply, &QNetworkReply::finished, this, &ResourceOnItsWay::finish);
        // The engine gave up on it: so do we.
        connect(&job, &QObject::destroyed, &reply, &QNetworkReply::abort);
        QTimer::singleShot(kResourceTimeoutMs, &reply, &QNetworkReply::abort);
    }

private:
    void keepWhatArrived() {
        const QByteArray arrived = reply_.readAll();
        content_ += arrived;
        budget_->bytesLeft -= arrived.size();
        if (content_.size() > kMostResourceBytes || budget_->bytesLeft < 0) {
            reply_.abort();
        }
    }

    void finish() {
        keepWhatArrived();
        const int status = reply_.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const bool whole = reply_.error() == QNetworkReply::NoError && status >= 200 &&
                           status <= 299 && content_.size() <= kMostResourceBytes &&
                           budget_->bytesLeft >= 0;
        if (job_ != nullptr) {
            if (whole) {
                // The engine reads the answer until it lets the job go, and the answer goes with
                // it.
                auto* answer = new QBuffer(job_);
                answer->setData(content_);
                job_->reply(reply_.header(QNetworkRequest::ContentTypeHeader).toByteArray(),
                            answer);
            } else {
                job_->fail(QWebEngineUrlRequestJob::RequestFailed);
            }
        }
        reply_.deleteLater();
    }

    QNetworkReply& reply_;
    QPointer<QWebEngineUrlRequestJob> job_;
    std::shared_ptr<ResourceFetch::Budget> budget_;
    QByteArray content_;
};

}  // namespace

void registerResourceScheme() {
    if (QWebEngineUrlScheme::schemeByName(kResourceScheme).name().isEmpty()) {
        QWebEngineUrlScheme scheme(kResourceScheme);
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
        // As secure as a page on https, so that such a page may show them; open to the page's
        // fonts, which it asks for as a script would. The page's own security policy has already
        // been asked about the address it gave, on its own site, before the filter sent it here.
        scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled |
                        QWebEngineUrlScheme::ContentSecurityPolicyIgnored);
        QWebEngineUrlScheme::registerScheme(scheme);
    }
}

ResourceFetch::ResourceFetch(QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), budget_(std::make_shared<Budget>()) {
    // No cache and an in-memory cookie jar: nothing is kept on disk.
    network_ = new QNetworkAccessManager(this);
    network_->setProxyFactory(new EnvironmentProxies);
    cookies_ = new QNetworkCookieJar(network_);
    network_->setCookieJar(cookies_);
}

void ResourceFetch::startPage(const QUrl& page) {
    page_ = page;
    budget_ = std::make_shared<Budget>();
}

void ResourceFetch::cookieAdded(const QNetworkCookie& cookie) {
    cookies_->insertCookie(cookie);
}

void ResourceFetch::cookieRemoved(const QNetworkCookie& cookie) {
    cookies_->deleteCookie(cookie);
}

void ResourceFetch::requestStarted(QWebEngineUrlRequestJob* job) {
    const QUrl address = siteAddress(job->requestUrl(), page_);
    if (address.isEmpty() || job->requestMethod() != "GET" || budget_->requestsLeft <= 0 ||
        budget_->bytesLeft <= 0) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    --budget_->requestsLeft;
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::SameOriginRedirectPolicy);
    new ResourceOnItsWay(*network_->get(request), *job, budget_);
}

QUrl resourceAddress(const QUrl& resource) {
    QUrl address = resource;
    address.setScheme(QString::fromLatin1(kResourceScheme));
    address.setPort(-1);
    address.setUserInfo(QString());
    address.setFragment(QString());
    return address;
}

QUrl siteAddress(const QUrl& resource, const QUrl& page) {
    if (resource.scheme() != QLatin1String(kResourceScheme) || resource.host() != page.host()) {
        return QUrl();
    }
    QUrl address = page;
    address.setPath(resource.path(QUrl::FullyEncoded), QUrl::TolerantMode);
    address.setQuery(resource.query(QUrl::FullyEncoded), QUrl::TolerantMode);
    address.setFragment(QString());
    return address;
}

bool onThePagesSite(const QUrl& address, const QUrl& page) {
    return address.scheme() == page.scheme() && address.host() == page.host() &&
           address.port(-1) == page.port(-1);
}

}  // namespace quintara::web_band
