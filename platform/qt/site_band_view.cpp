// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The web view band in a build without Qt WebEngine: our own page with the site's link.
#include <QLabel>

#include "platform/qt/web_view.h"

namespace quintara::qt {
namespace {

class SiteBandView final : public QLabel, public WebView {
public:
    SiteBandView(QWidget& parent, LinkOpener& links) : QLabel(&parent) {
        prepareOfflinePage(*this, links);
    }

    QWidget& widget() override { return *this; }
    void setSilent(bool) override {}
    bool navigate(const QUrl& page) override {
        if (!page.isValid()) {
            return false;
        }
        setText(offlinePageHtml());
        return true;
    }
};

}  // namespace

WebView& DefaultWebViewFactory::create(QWidget& parent) {
    return *new SiteBandView(parent, links_);
}

}  // namespace quintara::qt
