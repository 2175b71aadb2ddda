// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

namespace quintara::web_band {

// The most the band reads of the site's answer, every byte read counted, the headers of every
// answer on the way included; past it the answer is dropped, so a page that never ends costs
// nothing.
inline constexpr qint64 kMostFetchedBytes = 2 * 1024 * 1024;

// What the page may load itself: pictures, style sheets, fonts and scripts of its own site, which
// our own fetch brings whole or not at all, each of at most 2 MiB and in 10 seconds, and no more
// than 64 of them and 8 MiB in all for the page, however long it stays. Past the page's budget
// every further request fails at once.
inline constexpr qint64 kMostResourceBytes = 2 * 1024 * 1024;
inline constexpr qint64 kMostPageResourceBytes = 8 * 1024 * 1024;
inline constexpr int kMostPageResources = 64;
inline constexpr int kResourceTimeoutMs = 10000;

// The data the engine's process for the page may map writable (RLIMIT_DATA): some 95 MiB for a
// plain page, so that a page has some 280 MiB for its scripts and pictures, far more than the
// maker's needs; past it, the page's process ends. With the limits above, no page can make the
// band cost more than a plain page by much.
inline constexpr qint64 kMostRendererDataBytes = 384 * 1024 * 1024;

}  // namespace quintara::web_band
