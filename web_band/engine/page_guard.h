// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWebEngineScript>

namespace quintara::web_band {

// A script of the band's own that runs in every frame of the page before any of the page's: the
// page finds no WebRTC to talk with, and a link of its own marked `download` is followed as a plain
// link, which the link gate drops, instead of handing a file to the engine to write. The engine's
// switches stop WebRTC's traffic too (engine_switches.h); the engine would write a download before
// the band could refuse it.
QWebEngineScript pageGuard();

}  // namespace quintara::web_band
