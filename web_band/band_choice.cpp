// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/band_choice.h"

#include "web_band/offline_band_factory.h"
#ifdef QUINTARA_WITH_WEBENGINE
#include "web_band/fetching_band_factory.h"
#endif

namespace quintara::web_band {

std::unique_ptr<WebBandFactory> chooseWebBands(qt::LinkOpener& links, bool offline) {
#ifdef QUINTARA_WITH_WEBENGINE
    if (!offline && engineModuleInstalled()) {
        return std::make_unique<FetchingBandFactory>(links);
    }
#else
    (void)offline;
#endif
    return std::make_unique<OfflineBandFactory>(links);
}

}  // namespace quintara::web_band
