// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QUrl>

#include "web_band/engine/user_gestures.h"

namespace quintara::qt {
class LinkOpener;
}

namespace quintara::web_band {

// Where the band's navigations go. The band shows only the page it was handed: every other
// navigation of its main frame is dropped, and one that follows the user's own click or key
// press on a web address opens in the user's browser instead, as does a link that asks for a
// new window. Scripts alone never send anything to the browser; addresses that are not web
// pages (files, data, custom schemes) never leave the band at all.
class LinkGate {
public:
    LinkGate(QWidget& view, qt::LinkOpener& links, UserGestures::Clock clock = {});

    // The band shows a new page, from this address of the site: its addresses in our scheme
    // are this site's.
    void startPage(const QUrl& page) { page_ = page; }

    // The band is about to load a page of its own: the next navigation of the main frame.
    void expectOwnLoad() { ownLoadExpected_ = true; }

    // Whether the main frame may go to `url`.
    bool allowsMainFrame(const QUrl& url);

    // A page asked for a new window showing `url`; there is never one in the band.
    void newWindowAsked(const QUrl& url, bool userInitiated);

private:
    void leaveForBrowser(const QUrl& url);

    qt::LinkOpener& links_;
    UserGestures gestures_;
    QUrl page_;
    bool ownLoadExpected_ = false;
};

// Addresses a browser shows or a mail program writes to.
bool isWebAddress(const QUrl& url);

}  // namespace quintara::web_band
