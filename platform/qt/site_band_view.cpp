// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The web view band in a build without Qt WebEngine: our own page with the site's link.
#include <QLabel>

#include "platform/qt/link_opener.h"
#include "platform/qt/web_view.h"

namespace quintara::qt {
namespace {

class SiteBandView final : public QLabel, public WebView {
public:
    SiteBandView(QWidget& parent, LinkOpener& links) : QLabel(&parent) {
        setAlignment(Qt::AlignCenter);
        // The page's own background, which rich text in a label does not paint.
        QPalette colours = palette();
        colours.setColor(QPalette::Window, QColor(0xF4, 0xF7, 0xFB));
        setPalette(colours);
        setAutoFillBackground(true);
        setTextFormat(Qt::RichText);
        connect(this, &QLabel::linkActivated, this,
                [&links](const QString& link) { links.open(QUrl(link)); });
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
