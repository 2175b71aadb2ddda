// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

namespace quintara::web_band {

// The most the band reads of the site's answer; past it the answer is dropped, so a page that
// never ends costs nothing.
inline constexpr qint64 kMostFetchedBytes = 2 * 1024 * 1024;

// The engine takes a page from the program as a data: address, escaped, of at most 2 MiB.
inline constexpr qsizetype kMostHandedOverBytes = 2 * 1024 * 1024;

// What the page may load itself: pictures, style sheets, fonts and scripts of its own site, which
// our own fetch brings whole or not at all, each of at most 2 MiB and in 10 seconds, and no more
// than 64 of them and 8 MiB in all for the page, however long it stays. Past the page's budget
// every further request fails at once, so that no page can make the band cost more than a
// plain page by much.
inline constexpr qint64 kMostResourceBytes = 2 * 1024 * 1024;
inline constexpr qint64 kMostPageResourceBytes = 8 * 1024 * 1024;
inline constexpr int kMostPageResources = 64;
inline constexpr int kResourceTimeoutMs = 10000;

// Whether the engine can show these bytes as they are, under the page's own address.
inline bool fitsTheEngine(const QByteArray& content, const QString& contentType) {
    const qsizetype address = QByteArrayLiteral("data:").size() + contentType.toUtf8().size() + 1 +
                              content.toPercentEncoding().size();
    return address <= kMostHandedOverBytes;
}

}  // namespace quintara::web_band
