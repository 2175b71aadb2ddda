// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

#include "web_band/web_band.h"

namespace quintara::qt {
class LinkOpener;
}

namespace quintara::web_band {

// The bands of this run: the maker's page, fetched and shown by the engine, when the engine's
// module is there and the user did not start the program offline; else our own band, which
// asks the site for nothing (no connection, no name lookup, no engine).
std::unique_ptr<WebBandFactory> chooseWebBands(qt::LinkOpener& links, bool offline);

}  // namespace quintara::web_band
