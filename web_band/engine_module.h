// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "web_band/engine_band.h"

namespace quintara::web_band {

// Loads the engine's module, found from the program's own folder, and makes its view of the page
// as a child of `band`; nullptr when the module cannot be loaded.
EngineBand* loadEngineBand(QWidget& band, qt::LinkOpener& links);

}  // namespace quintara::web_band
