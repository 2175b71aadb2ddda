// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "web_band/fetched_page.h"

class QWidget;

namespace quintara::qt {
class LinkOpener;
}

namespace quintara::web_band {

// The browser engine's view of the fetched page. It is made only once the site has answered
// with a page, so that a run without one never starts the engine.
class EngineBand {
public:
    virtual ~EngineBand() = default;

    virtual QWidget& widget() = 0;
    virtual void setSilent(bool silent) = 0;  // as the band's, which hands it on
    virtual void showPage(const FetchedPage& page) = 0;
};

// The one function the engine module exports, looked up by this name when the first page
// arrives: a view as a child of `parent`, which owns it. Links the user follows open through
// `links`; `offlineHtml` is shown when the page cannot be loaded after all.
inline constexpr char kMakeEngineBandSymbol[] = "quintara_make_engine_band";
using MakeEngineBand = EngineBand*(QWidget& parent, qt::LinkOpener& links,
                                   const QString& offlineHtml);

}  // namespace quintara::web_band
