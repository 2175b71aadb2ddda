// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/engine/resource_fetch.h"

#include <QBuffer>
#include <QMap>
#include <QPointer>
#include <QTimer>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

#include "web_band/engine/resource_kinds.h"
#include "web_band/engine/site_addresses.h"
#include "web_band/site_client/site_request.h"

namespace quintara::web_band {
namespace {

using site_client::SiteAnswer;
using site_client::SiteRequest;

// The engine reads an answer until it lets the job go, and the answer goes with it.
void answer(QWebEngineUrlRequestJob& job, const QByteArray& contentType, const QByteArray& body) {
    auto* content = new QBuffer(&job);
    content->setData(body);
    job.reply(contentType, content);
}

// One resource on its way, charged to the page's budget byte by byte as it arrives, so that an
// answer past either limit is dropped at once.
class ResourceOnItsWay final : public QObject {
public:
    ResourceOnItsWay(const QUrl& address, ResourceKind kind, site_client::SiteCookies& cookies,
                     QWebEngineUrlRequestJob& job, std::shared_ptr<ResourceFetch::Budget> budget,
                     QObject* parent)
        : QObject(parent), job_(&job), budget_(std::move(budget)) {
        const auto usable = [kind](const SiteAnswer& head) {
            return suits(kind, head.header("content-type"), head.header("x-content-type-options"));
        };
        request_ = new SiteRequest(
            address, cookies, onThePagesSite,
            [this](qint64 bytes) {
                read_ += bytes;
                budget_->bytesLeft -= bytes;
                return read_ <= kMostResourceBytes && budget_->bytesLeft >= 0;
            },
            usable, [this](std::optional<SiteAnswer> answer) { finish(std::move(answer)); }, this);
        // The engine gave up on it: so do we.
        connect(&job, &QObject::destroyed, request_, &SiteRequest::abort);
        QTimer::singleShot(kResourceTimeoutMs, request_, &SiteRequest::abort);
    }

private:
    void finish(std::optional<SiteAnswer> arrived) {
        if (job_ != nullptr) {
            if (arrived) {
                answer(*job_, arrived->header("content-type"), arrived->body);
            } else {
                job_->fail(QWebEngineUrlRequestJob::RequestFailed);
            }
        }
        deleteLater();
    }

    QPointer<QWebEngineUrlRequestJob> job_;
    std::shared_ptr<ResourceFetch::Budget> budget_;
    SiteRequest* request_ = nullptr;
    qint64 read_ = 0;
};

}  // namespace

// No flag that would let the page's own security policy pass over these addresses: they are the
// page's own, and its policy holds for them as on the web.
void registerResourceScheme() {
    if (QWebEngineUrlScheme::schemeByName(kResourceScheme).name().isEmpty()) {
        QWebEngineUrlScheme scheme(kResourceScheme);
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
        // Fonts are asked for as a script asks, even of the page's own site.
        scheme.setFlags(QWebEngineUrlScheme::CorsEnabled);
        QWebEngineUrlScheme::registerScheme(scheme);
    }
}

ResourceFetch::ResourceFetch(QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), budget_(std::make_shared<Budget>()) {
    // Kept in memory alone: nothing is kept on disk.
    cookies_ = new site_client::SiteCookies(this);
}

void ResourceFetch::startPage(const FetchedPage& page) {
    page_ = page;
    budget_ = std::make_shared<Budget>();
    cookies_->setCookiesFromUrl(page.cookies, page.url);
}

void ResourceFetch::requestStarted(QWebEngineUrlRequestJob* job) {
    const std::optional<ResourceKind> kind =
        kindNamed(job->requestHeaders().value(kResourceKindHeader));
    // The page itself, as our fetch brought it: to the engine showing it, which names no kind, and
    // to the page only as what an answer of its type can be (never a script).
    if (job->requestUrl() == resourceAddress(page_.url)) {
        if (!kind || suits(*kind, page_.contentType.toLatin1(), {})) {
            answer(*job, page_.contentType.toLatin1(), page_.content);
        } else {
            job->fail(QWebEngineUrlRequestJob::RequestDenied);
        }
        return;
    }
    const QUrl address = siteAddress(job->requestUrl(), page_.url);
    if (address.isEmpty() || !kind || job->requestMethod() != "GET" || budget_->requestsLeft <= 0 ||
        budget_->bytesLeft <= 0) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    --budget_->requestsLeft;
    new ResourceOnItsWay(address, *kind, *cookies_, *job, budget_, this);
}

}  // namespace quintara::web_band
