// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QUrl>
#include <QWebEngineUrlRequestInterceptor>

namespace quintara::web_band {

// Every request of the band's page passes here before the engine sends it. The page itself, and
// the pictures, style sheets, fonts and scripts of its own site, go to our resource fetch, told
// what the page asked for each as; nothing else is fetched at all: no frames, XMLHttpRequest or
// fetch(), WebSocket, media, workers, pings, nor anything of another site.
class RequestFilter final : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    // The band shows a new page, from this address of the site.
    void startPage(const QUrl& page) { page_ = page; }

    void interceptRequest(QWebEngineUrlRequestInfo& request) override;

private:
    QUrl page_;
};

}  // namespace quintara::web_band
