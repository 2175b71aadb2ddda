// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/engine/link_gate.h"

#include <QUrlQuery>

#include "platform/qt/link_opener.h"
#include "web_band/engine/site_addresses.h"

namespace quintara::web_band {
namespace {

// A mail address reaches the mail program with its words at most: other fields, such as attach,
// have had mail programs attach the user's own files to a message the page wrote, and copies to
// others would take the user's words where the address does not say.
QUrl mailWithWordsOnly(const QUrl& mail) {
    QUrlQuery words;
    for (const auto& [name, value] : QUrlQuery(mail).queryItems(QUrl::FullyEncoded)) {
        const QString field = QUrl::fromPercentEncoding(name.toUtf8()).toLower();
        if (field == u"subject" || field == u"body") {
            words.addQueryItem(field, value);
        }
    }
    QUrl kept;
    kept.setScheme(QStringLiteral("mailto"));
    kept.setPath(mail.path(QUrl::FullyEncoded), QUrl::TolerantMode);
    if (!words.isEmpty()) {
        kept.setQuery(words);
    }
    return kept;
}

}  // namespace

LinkGate::LinkGate(QWidget& view, qt::LinkOpener& links, UserGestures::Clock clock)
    : links_(links), gestures_(view, std::move(clock)) {}

bool LinkGate::allowsMainFrame(const QUrl& url) {
    if (ownLoadExpected_) {
        ownLoadExpected_ = false;
        return true;
    }
    leaveForBrowser(url);
    return false;
}

void LinkGate::newWindowAsked(const QUrl& url, bool userInitiated) {
    if (userInitiated) {
        leaveForBrowser(url);
    }
}

void LinkGate::leaveForBrowser(const QUrl& url) {
    const QUrl address =
        url.scheme() == QLatin1String(kResourceScheme) ? siteAddress(url, page_) : url;
    if (gestures_.take() && isWebAddress(address)) {
        links_.open(address.scheme() == u"mailto" ? mailWithWordsOnly(address) : address);
    }
}

bool isWebAddress(const QUrl& url) {
    const QString scheme = url.scheme();
    return url.isValid() && (scheme == u"https" || scheme == u"http" || scheme == u"mailto");
}

}  // namespace quintara::web_band
