// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QUrl>
#include <functional>
#include <optional>

#include "http/answer_reader.h"
#include "web_band/site_client/site_cookies.h"

class QTcpSocket;

namespace quintara::site_client {

// An answer of the site: its status and the headers the band uses (Content-Type,
// Content-Security-Policy, X-Content-Type-Options, Location, Set-Cookie), and once it is whole,
// its body.
struct SiteAnswer {
    QUrl url;  // where it came from, after any redirection
    int status = 0;
    QList<QPair<QByteArray, QByteArray>> headers;  // names in lower case, in the order sent
    QByteArray body;

    QByteArray header(const QByteArray& lowerCaseName) const;
    QList<QByteArray> headersNamed(const QByteArray& lowerCaseName) const;
};

// One GET of the site over HTTP or HTTPS, read by the band itself, so that nothing of an answer
// escapes its limits. Qt Network keeps what a 401 or 407 answer sends out of sight until it ends,
// and reads the bodies of redirections whole before it follows them: a site sending such an
// answer without end took the program's memory, or its time, whatever the band's limits said.
// Here every byte read from the connection, headers included, is charged to `charge`, and the
// answer is dropped as soon as it says no; the answer is read as http::AnswerReader reads it,
// its head bounded as it arrives. Nothing of an answer the band will not use is read past
// its headers: a redirection `mayFollow` allows is followed as soon as its headers are in, and
// only a 2xx answer that `usable` takes has its body read; anything else ends the request there.
// Through the proxies of the user's environment, with the cookies of `cookies` (which keeps
// those the answers set, within its bounds), no cache and nothing on disk. `done` hears the
// whole answer, or nothing, once.
class SiteRequest final : public QObject {
public:
    using MayFollow = std::function<bool(const QUrl& from, const QUrl& to)>;
    using Charge = std::function<bool(qint64 bytes)>;
    using Usable = std::function<bool(const SiteAnswer& head)>;
    using Done = std::function<void(std::optional<SiteAnswer>)>;

    SiteRequest(const QUrl& address, SiteCookies& cookies, MayFollow mayFollow, Charge charge,
                Usable usable, Done done, QObject* parent);

    // Ends the request without an answer, if it has not ended yet.
    void abort();

private:
    void ask(const QUrl& address);
    QByteArray request(bool wholeAddress) const;
    void readWhatArrived();
    bool followReader();
    bool headRead(http::AnswerHead head);
    void closed();
    void dropConnection();
    void end(std::optional<SiteAnswer> answer);

    SiteCookies& cookies_;
    MayFollow mayFollow_;
    Charge charge_;
    Usable usable_;
    Done done_;
    QTcpSocket* socket_ = nullptr;
    int redirections_ = 0;
    SiteAnswer answer_;
    http::AnswerReader reader_;
};

}  // namespace quintara::site_client
