// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "web_band/engine_band.h"

namespace quintara::web_band {

// Loads the engine's module, found from the program's own folder, and makes its view of the page
// as a child of `band`; nullptr when the module cannot be loaded.
EngineBand* loadEngineBand(QWidget& band, qt::LinkOpener& links);

// Whether the engine's module is installed beside the program: a package may leave it out, and
// then the band asks the site for nothing, having nothing to show a page with.
bool engineModuleInstalled();

}  // namespace quintara::web_band
