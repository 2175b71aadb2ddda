// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/site_request.h"

#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QSslSocket>
#include <algorithm>

#include "web_band/environment_proxies.h"

namespace quintara::web_band {
namespace {

// As many as any site of ours needs, and few enough that a loop of them ends at once.
constexpr int kMostRedirections = 10;

// Qt reads no more than this from the connection ahead of us: the rest waits in the system's
// buffers, and an answer past its limit costs the program no more.
constexpr qint64 kReadAhead = 64 * 1024;

bool isRedirection(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool throughHttpProxy(const QNetworkProxy& proxy) {
    return proxy.type() == QNetworkProxy::HttpProxy ||
           proxy.type() == QNetworkProxy::HttpCachingProxy;
}

}  // namespace

QByteArray SiteAnswer::header(const QByteArray& lowerCaseName) const {
    const QList<QByteArray> all = headersNamed(lowerCaseName);
    return all.isEmpty() ? QByteArray() : all.join(", ");
}

QList<QByteArray> SiteAnswer::headersNamed(const QByteArray& lowerCaseName) const {
    QList<QByteArray> found;
    for (const auto& [name, value] : headers) {
        if (name == lowerCaseName) {
            found.append(value);
        }
    }
    return found;
}

SiteRequest::SiteRequest(const QUrl& address, QNetworkCookieJar& cookies, MayFollow mayFollow,
                         Charge charge, Usable usable, Done done, QObject* parent)
    : QObject(parent),
      cookies_(cookies),
      mayFollow_(std::move(mayFollow)),
      charge_(std::move(charge)),
      usable_(std::move(usable)),
      done_(std::move(done)) {
    ask(address);
}

void SiteRequest::abort() {
    end(std::nullopt);
}

// The request is written at once: the socket keeps it until the connection (and its encryption)
// is made.
void SiteRequest::ask(const QUrl& address) {
    answer_ = SiteAnswer();
    answer_.url = address;
    reading_ = Reading::Head;
    pending_.clear();
    const bool https = address.scheme() == u"https";
    if (!address.isValid() || (!https && address.scheme() != u"http") ||
        (https && !QSslSocket::supportsSsl())) {
        // Heard once the caller has the request in hand, as any other answer.
        QMetaObject::invokeMethod(this, &SiteRequest::abort, Qt::QueuedConnection);
        return;
    }
    const QNetworkProxy proxy = EnvironmentProxies()
                                    .queryProxy(QNetworkProxyQuery(address))
                                    .value(0, QNetworkProxy(QNetworkProxy::NoProxy));
    // Plain HTTP goes to an HTTP proxy as a request naming the whole address; anything else
    // through a proxy goes through a tunnel the socket asks the proxy for.
    const bool askTheProxy = !https && throughHttpProxy(proxy);
    socket_ = https ? new QSslSocket(this) : new QTcpSocket(this);
    socket_->setReadBufferSize(kReadAhead);
    socket_->setProxy(askTheProxy || proxy.type() == QNetworkProxy::DefaultProxy
                          ? QNetworkProxy(QNetworkProxy::NoProxy)
                          : proxy);
    connect(socket_, &QTcpSocket::readyRead, this, &SiteRequest::readWhatArrived);
    connect(socket_, &QTcpSocket::disconnected, this, &SiteRequest::closed);
    connect(socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error == QAbstractSocket::RemoteHostClosedError) {
            closed();
        } else {
            end(std::nullopt);
        }
    });
    if (askTheProxy) {
        socket_->connectToHost(proxy.hostName(), proxy.port());
    } else if (https) {
        static_cast<QSslSocket*>(socket_)->connectToHostEncrypted(address.host(),
                                                                  address.port(443));
    } else {
        socket_->connectToHost(address.host(), address.port(80));
    }
    QByteArray head = request(askTheProxy);
    if (askTheProxy && !proxy.user().isEmpty()) {
        head.insert(head.size() - 2,
                    "Proxy-Authorization: Basic " +
                        (proxy.user() + u':' + proxy.password()).toUtf8().toBase64() + "\r\n");
    }
    socket_->write(head);
}

// Without compression, so that what is read is what the site sent; and a connection for each
// request, so that an answer ends where the connection does.
QByteArray SiteRequest::request(bool wholeAddress) const {
    const QUrl& address = answer_.url;
    QByteArray target = wholeAddress
                            ? address.toEncoded(QUrl::RemoveUserInfo | QUrl::RemoveFragment)
                            : address.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty()) {
        target = "/";
    }
    if (!wholeAddress && address.hasQuery()) {
        target += '?' + address.query(QUrl::FullyEncoded).toLatin1();
    }
    QByteArray head =
        "GET " + target + " HTTP/1.1\r\nHost: " +
        address.adjusted(QUrl::RemoveUserInfo).authority(QUrl::FullyEncoded).toLatin1() +
        "\r\nUser-Agent: Mozilla/5.0\r\nAccept: */*\r\nAccept-Encoding: identity\r\n"
        "Connection: close\r\n";
    QList<QByteArray> cookies;
    for (const QNetworkCookie& cookie : cookies_.cookiesForUrl(address)) {
        cookies.append(cookie.toRawForm(QNetworkCookie::NameAndValueOnly));
    }
    if (!cookies.isEmpty()) {
        head += "Cookie: " + cookies.join("; ") + "\r\n";
    }
    return head + "\r\n";
}

void SiteRequest::readWhatArrived() {
    while (socket_ != nullptr && socket_->bytesAvailable() > 0) {
        const QByteArray arrived = socket_->read(kReadAhead);
        if (!charge_(arrived.size())) {
            end(std::nullopt);
            return;
        }
        pending_ += arrived;
        const bool goOn = reading_ == Reading::Head ? readHead() : readBody();
        if (!goOn) {
            return;
        }
    }
}

// The status line and headers; answers of the 1xx kind are only news, and another follows.
bool SiteRequest::readHead() {
    for (;;) {
        const qsizetype headEnd = pending_.indexOf("\r\n\r\n");
        if (headEnd < 0) {
            return true;
        }
        const QList<QByteArray> lines = pending_.left(headEnd).split('\n');
        pending_.remove(0, headEnd + 4);
        const QList<QByteArray> status = lines.first().simplified().split(' ');
        answer_.status = status.value(1).toInt();
        if (!status.first().startsWith("HTTP/1.") || answer_.status < 100) {
            end(std::nullopt);
            return false;
        }
        answer_.headers.clear();
        for (qsizetype line = 1; line < lines.size(); ++line) {
            const qsizetype colon = lines[line].indexOf(':');
            if (colon > 0) {
                answer_.headers.append({lines[line].left(colon).trimmed().toLower(),
                                        lines[line].mid(colon + 1).trimmed()});
            }
        }
        if (answer_.status >= 200) {
            headRead();
            return socket_ != nullptr && readBody();
        }
    }
}

// Whether the answer is worth its body, and how the body ends.
void SiteRequest::headRead() {
    const QUrl here = answer_.url;
    for (const QByteArray& setCookie : answer_.headersNamed("set-cookie")) {
        cookies_.setCookiesFromUrl(QNetworkCookie::parseCookies(setCookie), here);
    }
    if (isRedirection(answer_.status)) {
        const QUrl next = here.resolved(QUrl::fromEncoded(answer_.header("location")));
        if (++redirections_ <= kMostRedirections && next.isValid() && mayFollow_(here, next)) {
            dropConnection();
            ask(next);
        } else {
            end(std::nullopt);
        }
        return;
    }
    if (answer_.status > 299 || !usable_(answer_)) {
        end(std::nullopt);
        return;
    }
    const bool chunked = answer_.header("transfer-encoding").toLower().contains("chunked");
    bool known = false;
    const qint64 length = answer_.header("content-length").toLongLong(&known);
    if (answer_.status == 204 || (!chunked && known && length == 0)) {
        end(std::move(answer_));
    } else if (chunked) {
        reading_ = Reading::ChunkSize;
    } else {
        reading_ = Reading::Body;
        bodyLeft_ = known && length > 0 ? length : -1;
    }
}

// The body as far as it has arrived, whole or in chunks; false once the answer has ended.
bool SiteRequest::readBody() {
    for (;;) {
        switch (reading_) {
            case Reading::Head:
                return true;
            case Reading::Body:
            case Reading::Chunk: {
                const qint64 take =
                    bodyLeft_ < 0 ? pending_.size() : std::min<qint64>(bodyLeft_, pending_.size());
                answer_.body += pending_.left(take);
                pending_.remove(0, take);
                if (bodyLeft_ < 0) {
                    return true;
                }
                bodyLeft_ -= take;
                if (bodyLeft_ > 0) {
                    return true;
                }
                if (reading_ == Reading::Body) {
                    end(std::move(answer_));
                    return false;
                }
                reading_ = Reading::ChunkEnd;
                break;
            }
            case Reading::ChunkEnd:
            case Reading::ChunkSize:
            case Reading::Trailer: {
                const qsizetype lineEnd = pending_.indexOf("\r\n");
                if (lineEnd < 0) {
                    return true;
                }
                const QByteArray line = pending_.left(lineEnd).trimmed();
                pending_.remove(0, lineEnd + 2);
                bool valid = true;
                if (reading_ == Reading::ChunkSize) {
                    bodyLeft_ = line.split(';').first().trimmed().toLongLong(&valid, 16);
                    reading_ = bodyLeft_ == 0 ? Reading::Trailer : Reading::Chunk;
                } else if (reading_ == Reading::ChunkEnd) {
                    valid = line.isEmpty();
                    reading_ = Reading::ChunkSize;
                } else if (line.isEmpty()) {
                    end(std::move(answer_));
                    return false;
                }
                if (!valid || bodyLeft_ < 0) {
                    end(std::nullopt);
                    return false;
                }
                break;
            }
        }
    }
}

// An answer without a length ends with the connection; any other is cut short.
void SiteRequest::closed() {
    readWhatArrived();
    if (socket_ == nullptr) {
        return;
    }
    if (reading_ == Reading::Body && bodyLeft_ < 0) {
        end(std::move(answer_));
    } else {
        end(std::nullopt);
    }
}

// Silently: an abort would tell of the connection's end.
void SiteRequest::dropConnection() {
    if (socket_ != nullptr) {
        socket_->disconnect(this);
        socket_->abort();
        socket_->deleteLater();
        socket_ = nullptr;
    }
}

void SiteRequest::end(std::optional<SiteAnswer> answer) {
    dropConnection();
    if (!done_) {
        return;
    }
    // Last: whoever hears the answer may let this request go.
    const Done done = std::move(done_);
    done_ = nullptr;
    done(std::move(answer));
}

}  // namespace quintara::web_band
