// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/web_view_band.h"

#include <QLabel>
#include <QStackedLayout>

#include "platform/qt/page_fetch.h"

namespace quintara::qt {

WebViewBand::WebViewBand(QWidget& parent, LinkOpener& links, PageViewMaker makePageView,
                         std::chrono::milliseconds siteTimeout)
    : QWidget(&parent),
      links_(links),
      makePageView_(std::move(makePageView)),
      siteTimeout_(siteTimeout) {
    // White, as the engine's view is before its page is drawn.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    setAutoFillBackground(true);
    layers_ = new QStackedLayout(this);
    layers_->setContentsMargins(0, 0, 0, 0);
}

void WebViewBand::setSilent(bool silent) {
    silent_ = silent;
    if (pageView_ != nullptr) {
        pageView_->setSilent(silent);
    }
}

bool WebViewBand::navigate(const QUrl& page) {
    if (!page.isValid()) {
        return false;
    }
    delete fetch_;  // an answer still awaited is no longer wanted
    fetch_ = new PageFetch(
        page, siteTimeout_, [this](std::optional<SitePage> answer) { answered(std::move(answer)); },
        this);
    return true;
}

void WebViewBand::answered(std::optional<SitePage> page) {
    // The request is over: its connections and threads go, once its signal has returned.
    fetch_->deleteLater();
    fetch_ = nullptr;
    if (!page || !makePageView()) {
        showOfflinePage();
        return;
    }
    pageView_->showPage(*page);
    layers_->setCurrentWidget(&pageView_->widget());
}

bool WebViewBand::makePageView() {
    if (pageView_ == nullptr && makePageView_) {
        pageView_ = makePageView_(*this);
        if (pageView_ != nullptr) {
            pageView_->setSilent(silent_);
            layers_->addWidget(&pageView_->widget());
        }
    }
    return pageView_ != nullptr;
}

void WebViewBand::showOfflinePage() {
    if (offlinePage_ == nullptr) {
        offlinePage_ = new QLabel(this);
        prepareOfflinePage(*offlinePage_, links_);
        offlinePage_->setText(offlinePageHtml());
        layers_->addWidget(offlinePage_);
    }
    layers_->setCurrentWidget(offlinePage_);
}

}  // namespace quintara::qt
