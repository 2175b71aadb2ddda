// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

namespace quintara::web_band {

// Starts the engine, with `start`, on the command line the band needs whatever
// QTWEBENGINE_CHROMIUM_FLAGS the environment sets: the engine reads its switches from that
// variable alone once it is set, and only as it starts. The switches the band must own are put
// after the environment's and replace any of theirs; the variable is then put back as it was, so
// that a browser the user opens from the band does not inherit them.
//
// The band's switches keep every connection the engine would make itself from leaving the
// program: WebRTC sends nothing but over a proxy, and the engine's proxy is a loopback port of the
// program's own that refuses every connection. The engine needs no network of its own: the page
// and what it may load come through the band's own fetch. Nor may the page share the program's
// process (--single-process), where its memory could not be bounded.
void startEngineForTheBand(const std::function<void()>& start);

}  // namespace quintara::web_band
