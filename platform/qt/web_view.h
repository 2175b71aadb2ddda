// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QUrl>
#include <chrono>

class QLabel;
class QWidget;

namespace quintara::qt {

class LinkOpener;

// The band in the main window that shows a page of the maker's site.
class WebView {
public:
    virtual ~WebView() = default;

    virtual QWidget& widget() = 0;

    // Silent: the view never raises a dialog of its own (script alerts, certificate or password
    // questions, downloads).
    virtual void setSilent(bool silent) = 0;

    // Starts loading the page; false when loading could not even start.
    virtual bool navigate(const QUrl& page) = 0;
};

class WebViewFactory {
public:
    virtual ~WebViewFactory() = default;

    // The view's widget is a child of `parent`, which owns it.
    virtual WebView& create(QWidget& parent) = 0;
};

// How long the band waits for the site's answer before it shows our own page instead.
inline constexpr std::chrono::milliseconds kSiteTimeout{5000};

// With WebEngine in the build: a band that asks the site for the page first and starts the
// engine only when the page arrives, with our own page otherwise. Without it: a band of our own
// with the site's link. Links the user follows in the band open in the user's browser.
class DefaultWebViewFactory final : public WebViewFactory {
public:
    explicit DefaultWebViewFactory(LinkOpener& links,
                                   std::chrono::milliseconds siteTimeout = kSiteTimeout)
        : links_(links), siteTimeout_(siteTimeout) {}
    WebView& create(QWidget& parent) override;

private:
    LinkOpener& links_;
    [[maybe_unused]] std::chrono::milliseconds siteTimeout_;
};

// Our own small page, drawn by Qt Widgets: shown in the band when the site cannot be reached,
// and as the whole band in a build without WebEngine.
QString offlinePageHtml();

// Makes `label` ready to show the offline page: its background, rich text, and links that open
// in the user's browser.
void prepareOfflinePage(QLabel& label, LinkOpener& links);

}  // namespace quintara::qt
