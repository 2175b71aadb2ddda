// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "web_band/engine_module.h"
#include "web_band/fetching_band.h"
#include "web_band/web_band.h"

namespace quintara::web_band {

// The band of a build with the engine: it asks the site for the page and starts the engine, from
// its module, only when the page arrives.
class FetchingBandFactory final : public WebBandFactory {
public:
    explicit FetchingBandFactory(qt::LinkOpener& links,
                                 std::chrono::milliseconds siteTimeout = kSiteTimeout)
        : links_(links), siteTimeout_(siteTimeout) {}

    WebBand& create(QWidget& parent) override {
        return *new FetchingBand(
            parent, links_, [this](QWidget& band) { return loadEngineBand(band, links_); },
            siteTimeout_);
    }

private:
    qt::LinkOpener& links_;
    std::chrono::milliseconds siteTimeout_;
};

}  // namespace quintara::web_band
