// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The engine module: Qt WebEngine's view of the maker's page. The program loads this module only
// when the site has answered with a page, so a run without one never maps the engine at all.
#include <QAuthenticator>
#include <QWebEngineCertificateError>
#include <QWebEngineCookieStore>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineView>
#include <type_traits>

#include "platform/qt/link_opener.h"
#include "platform/qt/page_view.h"
#include "platform/qt/qt_versions.h"
#if QUINTARA_QT_HAS_WEBENGINE_PERMISSION
#include <QWebEnginePermission>
#endif

namespace quintara::qt {
namespace {

// Camera, microphone, location, notifications, the screen: the band's page gets none of them.
void denyEveryPermission(QWebEnginePage& page) {
#if QUINTARA_QT_HAS_WEBENGINE_PERMISSION
    QObject::connect(&page, &QWebEnginePage::permissionRequested, &page,
                     [](QWebEnginePermission permission) { permission.deny(); });
#else
    QObject::connect(&page, &QWebEnginePage::featurePermissionRequested, &page,
                     [&page](const QUrl& origin, QWebEnginePage::Feature feature) {
                         page.setFeaturePermission(origin, feature,
                                                   QWebEnginePage::PermissionDeniedByUser);
                     });
#endif
}

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
        denyEveryPermission(*this);
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

// setContent hands the page over as a data: address, which the engine caps at 2 MiB.
constexpr qsizetype kMaxHandedOverBytes = 2 * 1024 * 1024 - 1024;

bool fitsAsContent(const QByteArray& content, const QString& contentType) {
    return content.toPercentEncoding().size() + contentType.size() + 8 <= kMaxHandedOverBytes;
}

class WebEngineView final : public QWebEngineView, public PageView {
public:
    WebEngineView(QWidget& parent, LinkOpener& links, const QString& offlineHtml)
        : QWebEngineView(&parent), offlineHtml_(offlineHtml) {
        // Off the record: the band keeps no cache, cookies or history on disk.
        profile_ = new QWebEngineProfile(this);
        connect(profile_, &QWebEngineProfile::downloadRequested, this,
                [](QWebEngineDownloadRequest* download) { download->cancel(); });
        page_ = new SilentPage(profile_, links, this);
        setPage(page_);
        setContextMenuPolicy(Qt::NoContextMenu);
        connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
            if (!ok && !showingOfflinePage_) {
                showingOfflinePage_ = true;
                setHtml(offlineHtml_, QUrl(QStringLiteral("qrc:/quintara/")));
            }
        });
    }

    // The page must go before its profile, which is deleted with the view's other children.
    ~WebEngineView() override { delete page_; }

    QWidget& widget() override { return *this; }
    void setSilent(bool silent) override { page_->setSilent(silent); }

    // The bytes the site already sent are shown as they are, under the page's own address:
    // relative links, scripts and requests to the site behave as if the engine had asked.
    void showPage(const SitePage& page) override {
        showingOfflinePage_ = false;
        for (const QNetworkCookie& cookie : page.cookies) {
            profile_->cookieStore()->setCookie(cookie, page.url);
        }
        if (page.content && fitsAsContent(*page.content, page.contentType)) {
            setContent(*page.content, page.contentType, page.url);
        } else {
            load(page.url);
        }
    }

private:
    QString offlineHtml_;
    QWebEngineProfile* profile_ = nullptr;
    SilentPage* page_ = nullptr;
    bool showingOfflinePage_ = false;
};

}  // namespace
}  // namespace quintara::qt

extern "C" Q_DECL_EXPORT quintara::qt::PageView* quintara_make_page_view(
    QWidget& parent, quintara::qt::LinkOpener& links, const QString& offlineHtml) {
    return new quintara::qt::WebEngineView(parent, links, offlineHtml);
}

// Checked here, where both are seen: the program calls the export through this type.
static_assert(std::is_same_v<decltype(quintara_make_page_view), quintara::qt::MakePageView>);
