// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The web view band with Qt WebEngine. The engine lives in a module of its own, loaded only when
// the site has answered with a page: mapped at start-up, its libraries alone would cost more
// memory than the rest of the program.
#include <QCoreApplication>
#include <QLibrary>

#include "platform/qt/web_view_band.h"

namespace quintara::qt {
namespace {

// The module's place relative to the program, the same in the build tree and once installed.
PageView* makeEngineView(QWidget& band, LinkOpener& links) {
    QLibrary module(QCoreApplication::applicationDirPath() +
                    QStringLiteral("/" QUINTARA_WEB_ENGINE_MODULE));
    auto* make = reinterpret_cast<MakePageView*>(module.resolve(kMakePageViewSymbol));
    if (make == nullptr) {
        qWarning("Quintara: no web engine, showing the offline page (%s)",
                 qPrintable(module.errorString()));
        return nullptr;
    }
    return make(band, links, offlinePageHtml());
}

}  // namespace

WebView& DefaultWebViewFactory::create(QWidget& parent) {
    return *new WebViewBand(
        parent, links_, [this](QWidget& band) { return makeEngineView(band, links_); },
        siteTimeout_);
}

}  // namespace quintara::qt
