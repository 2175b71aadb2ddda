// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <optional>

#include "platform/qt/page_view.h"

class QNetworkReply;
class QTimer;

namespace quintara::qt {

// Asks the site for one page with a plain HTTP request, silently: no dialog, nothing kept on
// disk, the proxies of the user's environment as the engine would use them. The answer comes
// once: the page when a 2xx answer with HTML arrived within `timeout`, none otherwise (no
// connection, an error answer, something other than HTML, or too slow).
class PageFetch final : public QObject {
public:
    using Answer = std::function<void(std::optional<SitePage>)>;

    PageFetch(const QUrl& page, std::chrono::milliseconds timeout, Answer answer, QObject* parent);

private:
    void keepOrDrop();
    void finish();

    QNetworkReply* reply_ = nullptr;
    QTimer* deadline_ = nullptr;
    Answer answer_;
    bool tooLarge_ = false;
};

}  // namespace quintara::qt
