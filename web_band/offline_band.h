// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form_controls/linked_text.h"
#include "web_band/web_band.h"

namespace quintara::qt {
class LinkOpener;
}

namespace quintara::web_band {

// Our own small page, drawn by Qt Widgets: the band when the site cannot be reached, and the
// whole band in a build without the engine. Its one link, to the site, opens in the browser.
class OfflineBand final : public form_controls::LinkedText, public WebBand {
    Q_OBJECT

public:
    OfflineBand(QWidget& parent, qt::LinkOpener& links);

    // The page as rich text, also shown by the engine when a page it was handed fails to load.
    static QString html();

    QWidget& widget() override { return *this; }
    void setSilent(bool) override {}
    bool navigate(const QUrl& page) override;
};

}  // namespace quintara::web_band
