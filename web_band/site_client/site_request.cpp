// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/site_client/site_request.h"

#include <QNetworkCookie>
#include <QSslSocket>
#include <string>
#include <vector>

#include "web_band/site_client/environment_proxies.h"

namespace quintara::site_client {
namespace {

// As many as any site of ours needs, and few enough that a loop of them ends at once.
constexpr int kMostRedirections = 10;

// Qt reads no more than this from the connection ahead of us: the rest waits in the system's
// buffers, and an answer past its limit costs the program no more.
constexpr qint64 kReadAhead = 64 * 1024;

// The headers the band reads (SiteAnswer); the reader drops the rest as they arrive.
const std::vector<std::string> kHeadersUsed = {"content-type", "content-security-policy",
                                               "x-content-type-options", "location", "set-cookie"};

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

SiteRequest::SiteRequest(const QUrl& address, SiteCookies& cookies, MayFollow mayFollow,
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
    reader_ = http::AnswerReader(kHeadersUsed);
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
        reader_.take(std::string_view(arrived.constData(), arrived.size()));
        if (!followReader()) {
            return;
        }
    }
}

// What the reader has read of the answer so far; false once the request is done with this
// connection.
bool SiteRequest::followReader() {
    while (std::optional<http::Reading> reading = reader_.next()) {
        if (auto* head = std::get_if<http::HeadRead>(&*reading)) {
            if (!headRead(std::move(head->head))) {
                return false;
            }
        } else if (const auto* body = std::get_if<http::BodyRead>(&*reading)) {
            answer_.body.append(body->bytes.data(), static_cast<qsizetype>(body->bytes.size()));
        } else {
            end(std::holds_alternative<http::AnswerEnded>(*reading)
                    ? std::optional<SiteAnswer>(std::move(answer_))
                    : std::nullopt);
            return false;
        }
    }
    return true;
}

// Whether the answer is worth its body; a redirection is followed at once.
bool SiteRequest::headRead(http::AnswerHead head) {
    answer_.status = head.status;
    for (http::Field& field : head.fields) {
        answer_.headers.append(
            {QByteArray::fromStdString(field.name), QByteArray::fromStdString(field.value)});
    }
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
        return false;
    }
    if (answer_.status > 299 || !usable_(answer_)) {
        end(std::nullopt);
        return false;
    }
    return true;
}

// An answer without a length ends with the connection; any other is cut short.
void SiteRequest::closed() {
    const QTcpSocket* const closing = socket_;
    readWhatArrived();
    if (socket_ == closing) {
        reader_.close();
        followReader();
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

}  // namespace quintara::site_client
