// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QUrl>

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

// Qt WebEngine when the build has it, otherwise a band of our own with the site's link. Links
// the user follows in the band open in the user's browser.
class DefaultWebViewFactory final : public WebViewFactory {
public:
    explicit DefaultWebViewFactory(LinkOpener& links) : links_(links) {}
    WebView& create(QWidget& parent) override;

private:
    LinkOpener& links_;
};

// Our own small page: shown in the band when the site cannot be reached, and as the whole band
// in a build without WebEngine.
QString offlinePageHtml();

}  // namespace quintara::qt
