// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkCookie>
#include <QString>
#include <QUrl>
#include <optional>

class QWidget;

namespace quintara::qt {

class LinkOpener;

// A page of the maker's site as the site's answer brought it.
struct SitePage {
    QUrl url;             // where the answer came from, after any redirection
    QString contentType;  // as the site named it, charset included
    // The page's bytes, or none when the engine has to ask for the page itself: it was too large
    // to keep, or it came with a security policy that only a page loaded by the engine keeps.
    std::optional<QByteArray> content;
    QList<QNetworkCookie> cookies;  // the cookies the answer set
};

// A browser engine's view of one page. It is made only once the site has answered with a page,
// so that a run without one never starts the engine.
class PageView {
public:
    virtual ~PageView() = default;

    virtual QWidget& widget() = 0;
    virtual void setSilent(bool silent) = 0;  // as the band's, which hands it on
    virtual void showPage(const SitePage& page) = 0;
};

// The one function the engine module exports, looked up by this name when the first page
// arrives: a view as a child of `parent`, which owns it. Links the user follows open through
// `links`; `offlineHtml` is shown when the page cannot be loaded after all.
inline constexpr char kMakePageViewSymbol[] = "quintara_make_page_view";
using MakePageView = PageView*(QWidget& parent, LinkOpener& links, const QString& offlineHtml);

}  // namespace quintara::qt
