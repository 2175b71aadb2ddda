// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/engine/silent_page.h"

#include <QAuthenticator>
#include <QWebEngineCertificateError>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineSettings>

#include "platform/qt/qt_versions.h"
#if QUINTARA_QT_HAS_WEBENGINE_PERMISSION
#include <QWebEnginePermission>
#endif

namespace quintara::web_band {

SilentPage::SilentPage(QWebEngineProfile* profile, LinkGate& gate, QObject* parent)
    : QWebEnginePage(profile, parent), gate_(gate) {
    answerQuestionsSilently();
    denyEveryPermission();
    restrictSettings();
    // No window is ever made for the page: the gate sends what the user asked for to the
    // browser.
    connect(this, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest& request) {
                gate_.newWindowAsked(request.requestedUrl(), request.isUserInitiated());
            });
}

void SilentPage::answerQuestionsSilently() {
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
}

// Camera, microphone, location, notifications, the screen, files, protocol handlers: the band's
// page gets none of them.
void SilentPage::denyEveryPermission() {
#if QUINTARA_QT_HAS_WEBENGINE_PERMISSION
    connect(this, &QWebEnginePage::permissionRequested, this,
            [](QWebEnginePermission permission) { permission.deny(); });
#else
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl& origin, Feature feature) {
                setFeaturePermission(origin, feature, PermissionDeniedByUser);
            });
#endif
    connect(this, &QWebEnginePage::fileSystemAccessRequested, this,
            [](QWebEngineFileSystemAccessRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::registerProtocolHandlerRequested, this,
            [](QWebEngineRegisterProtocolHandlerRequest request) { request.reject(); });
}

// What a small band showing one page never needs, switched off even where it is off already,
// so that a newer engine's defaults cannot turn it on.
void SilentPage::restrictSettings() {
    QWebEngineSettings* band = settings();
    band->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    band->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
    band->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    band->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    band->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    band->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    band->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    band->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
    band->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, false);
    band->setAttribute(QWebEngineSettings::AllowGeolocationOnInsecureOrigins, false);
    band->setAttribute(QWebEngineSettings::AllowWindowActivationFromJavaScript, false);
    band->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, false);
    band->setAttribute(QWebEngineSettings::HyperlinkAuditingEnabled, false);
    band->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
}

void SilentPage::javaScriptAlert(const QUrl& origin, const QString& message) {
    if (!silent_) {
        QWebEnginePage::javaScriptAlert(origin, message);
    }
}

bool SilentPage::javaScriptConfirm(const QUrl& origin, const QString& message) {
    return !silent_ && QWebEnginePage::javaScriptConfirm(origin, message);
}

bool SilentPage::javaScriptPrompt(const QUrl& origin, const QString& message, const QString& value,
                                  QString* result) {
    return !silent_ && QWebEnginePage::javaScriptPrompt(origin, message, value, result);
}

// The band shows only its own page, without frames of the page's: a frame could hold anything,
// the program's own pages included, and fetch it as it likes.
bool SilentPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) {
    return isMainFrame && gate_.allowsMainFrame(url);
}

}  // namespace quintara::web_band
