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

// Whether the engine can show these bytes as they are, under the page's own address.
inline bool fitsTheEngine(const QByteArray& content, const QString& contentType) {
    const qsizetype address = QByteArrayLiteral("data:").size() + contentType.toUtf8().size() + 1 +
                              content.toPercentEncoding().size();
    return address <= kMostHandedOverBytes;
}

}  // namespace quintara::web_band
