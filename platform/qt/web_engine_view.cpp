// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The web view band with Qt WebEngine.
#include <QAuthenticator>
#include <QWebEngineCertificateError>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineView>

#include "platform/qt/link_opener.h"
#include "platform/qt/web_view.h"

namespace quintara::qt {
namespace {

// A page that, once silent, answers every question itself instead of asking the user.
class SilentPage final : public QWebEnginePage {
public:
    SilentPage(QWebEngineProfile* profile, LinkOpener& links, QObject* parent)
        : QWebEnginePage(profile, parent), links_(links) {
        connect(this, &QWebEnginePage::certificateError, this,
                [this](QWebEngineCertificateError error) {
                    if (silent_) {
                        error.rejectCertificate();
                    }
                });
        connect(this, &QWebEnginePage::authenticationRequired, this,
                [this](const QUrl&, QAuthenticator* authenticator) {
                    if (silent_) {
                        *authenticator = QAuthenticator();
                    }
                });
        connect(this, &QWebEnginePage::proxyAuthenticationRequired, this,
                [this](const QUrl&, QAuthenticator* authenticator, const QString&) {
                    if (silent_) {
                        *authenticator = QAuthenticator();
                    }
                });
        connect(this, &QWebEnginePage::featurePermissionRequested, this,
                [this](const QUrl& origin, Feature feature) {
                    setFeaturePermission(origin, feature, PermissionDeniedByUser);
                });
        connect(this, &QWebEnginePage::fileSystemAccessRequested, this,
                [](QWebEngineFileSystemAccessRequest request) { request.reject(); });
        connect(this, &QWebEnginePage::registerProtocolHandlerRequested, this,
                [](QWebEngineRegisterProtocolHandlerRequest request) { request.reject(); });
    }

    void setSilent(bool silent) { silent_ = silent; }

protected:
    void javaScriptAlert(const QUrl& origin, const QString& message) override {
        if (!silent_) {
            QWebEnginePage::javaScriptAlert(origin, message);
        }
    }
    bool javaScriptConfirm(const QUrl& origin, const QString& message) override {
        return !silent_ && QWebEnginePage::javaScriptConfirm(origin, message);
    }
    bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& value,
                          QString* result) override {
        return !silent_ && QWebEnginePage::javaScriptPrompt(origin, message, value, result);
    }
    QStringList chooseFiles(FileSelectionMode, const QStringList&, const QStringList&) override {
        return {};
    }
    // No pop-up windows; a link the user follows opens in the browser, the band stays as it is.
    QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        if (type == NavigationTypeLinkClicked && isMainFrame) {
            links_.open(url);
            return false;
        }
        return true;
    }

private:
    LinkOpener& links_;
    bool silent_ = false;
};

class WebEngineView final : public QWebEngineView, public WebView {
public:
    WebEngineView(QWidget& parent, LinkOpener& links) : QWebEngineView(&parent) {
        // Off the record: the band keeps no cache, cookies or history on disk.
        auto* profile = new QWebEngineProfile(this);
        connect(profile, &QWebEngineProfile::downloadRequested, this,
                [](QWebEngineDownloadRequest* download) { download->cancel(); });
        page_ = new SilentPage(profile, links, this);
        setPage(page_);
        setContextMenuPolicy(Qt::NoContextMenu);
        connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
            if (!ok && !showingOfflinePage_) {
                showingOfflinePage_ = true;
                setHtml(offlinePageHtml(), QUrl(QStringLiteral("qrc:/quintara/")));
            }
        });
    }

    // The page must go before its profile, which is deleted with the view's other children.
    ~WebEngineView() override { delete page_; }

    QWidget& widget() override { return *this; }
    void setSilent(bool silent) override { page_->setSilent(silent); }
    bool navigate(const QUrl& page) override {
        if (!page.isValid()) {
            return false;
        }
        showingOfflinePage_ = false;
        load(page);
        return true;
    }

private:
    SilentPage* page_ = nullptr;
    bool showingOfflinePage_ = false;
};

}  // namespace

WebView& DefaultWebViewFactory::create(QWidget& parent) {
    return *new WebEngineView(parent, links_);
}

}  // namespace quintara::qt
