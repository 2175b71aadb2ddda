// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWebEngineScript>

namespace quintara::web_band {

// A script of the band's own that runs in every frame of the page before any of the page's: the
// page finds no WebRTC to talk with, no worker and no way to make a blob, its history keeps no
// state, it reaches no realm but its own (frames, in shadow roots too, are taken out, and no
// window, of a frame or of its own making, is handed to it), and a link of its own marked
// `download` is followed as a plain link, which the link gate drops, instead of handing a file to
// the engine to write. The engine's switches stop WebRTC's traffic too (engine_switches.h); the
// engine would write a download before the band could refuse it, and keep a blob in the program's
// own process, beyond the page's bound.
QWebEngineScript pageGuard();

}  // namespace quintara::web_band
