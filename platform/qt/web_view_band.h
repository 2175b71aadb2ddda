// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>
#include <chrono>
#include <functional>
#include <optional>

#include "platform/qt/page_view.h"
#include "platform/qt/web_view.h"

class QLabel;
class QStackedLayout;

namespace quintara::qt {

class PageFetch;

// The band that shows the maker's page. It first asks the site for the page itself; only when
// the page arrives is the browser engine's view made, and shown with it. Until the answer comes
// the band is blank, as the engine's view is while it loads. Without a page the band shows our
// own page, drawn by Qt Widgets, and the engine is never started.
class WebViewBand final : public QWidget, public WebView {
public:
    // Makes the engine's view as a child of the band; nullptr when no engine can be had.
    using PageViewMaker = std::function<PageView*(QWidget& band)>;

    WebViewBand(QWidget& parent, LinkOpener& links, PageViewMaker makePageView,
                std::chrono::milliseconds siteTimeout);

    QWidget& widget() override { return *this; }
    void setSilent(bool silent) override;
    bool navigate(const QUrl& page) override;

private:
    void answered(std::optional<SitePage> page);
    bool makePageView();
    void showOfflinePage();

    LinkOpener& links_;
    PageViewMaker makePageView_;
    std::chrono::milliseconds siteTimeout_;
    QStackedLayout* layers_ = nullptr;
    PageFetch* fetch_ = nullptr;
    PageView* pageView_ = nullptr;
    QLabel* offlinePage_ = nullptr;
    bool silent_ = false;
};

}  // namespace quintara::qt
