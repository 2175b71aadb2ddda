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
