// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/engine/link_gate.h"

#include "platform/qt/link_opener.h"

namespace quintara::web_band {

LinkGate::LinkGate(QWidget& view, qt::LinkOpener& links) : links_(links), gestures_(view) {}

bool LinkGate::allowsMainFrame(const QUrl& url) {
    if (ownLoadExpected_) {
        ownLoadExpected_ = false;
        return true;
    }
    leaveForBrowser(url);
    return false;
}

void LinkGate::newWindowAsked(const QUrl& url, bool userInitiated) {
    if (userInitiated) {
        leaveForBrowser(url);
    }
}

void LinkGate::leaveForBrowser(const QUrl& url) {
    if (gestures_.take() && isWebAddress(url)) {
        links_.open(url);
    }
}

bool isWebAddress(const QUrl& url) {
    const QString scheme = url.scheme();
    return url.isValid() && (scheme == u"https" || scheme == u"http" || scheme == u"mailto");
}

}  // namespace quintara::web_band
