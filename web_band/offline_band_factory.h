// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "web_band/offline_band.h"
#include "web_band/web_band.h"

namespace quintara::web_band {

// The band of a build without the engine: our own page with the site's link, never asking the
// site for anything.
class OfflineBandFactory final : public WebBandFactory {
public:
    explicit OfflineBandFactory(qt::LinkOpener& links) : links_(links) {}
    WebBand& create(QWidget& parent) override { return *new OfflineBand(parent, links_); }

private:
    qt::LinkOpener& links_;
};

}  // namespace quintara::web_band
