// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/security_policy.h"

#include <QList>
#include <QString>

namespace quintara::web_band {
namespace {

bool onlyAHeaderCarries(const QByteArray& name) {
    return name == "frame-ancestors" || name == "report-uri" || name == "report-to";
}

// One policy as a meta element may carry it; nothing when it cannot be kept.
std::optional<QByteArray> metaPolicy(const QByteArray& policy) {
    QList<QByteArray> kept;
    for (const QByteArray& directive : policy.split(';')) {
        const QByteArray trimmed = directive.simplified();
        const QByteArray name = trimmed.split(' ').first().toLower();
        if (name == "sandbox") {
            return std::nullopt;
        }
        if (!trimmed.isEmpty() && !onlyAHeaderCarries(name)) {
            kept.append(trimmed);
        }
    }
    return kept.join("; ");
}

QByteArray mediaTypeOf(const QByteArray& contentType) {
    return contentType.split(';').first().trimmed().toLower();
}

// Where the elements of the page begin: after a byte order mark, blanks and the doctype, which
// must stay first or the page is laid out in quirks mode.
qsizetype firstElementAt(const QByteArray& page) {
    qsizetype at = page.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (at < page.size() && QChar::isSpace(static_cast<uchar>(page[at]))) {
        ++at;
    }
    if (page.mid(at, 9).compare("<!doctype", Qt::CaseInsensitive) == 0) {
        const qsizetype end = page.indexOf('>', at);
        if (end >= 0) {
            return end + 1;
        }
    }
    return at;
}

}  // namespace

std::optional<QByteArray> withSecurityPolicy(const QByteArray& page, const QByteArray& contentType,
                                             const QByteArray& header) {
    QByteArray metas;
    for (const QByteArray& policy : header.split(',')) {
        const std::optional<QByteArray> kept = metaPolicy(policy);
        if (!kept) {
            return std::nullopt;
        }
        if (!kept->isEmpty()) {
            metas += "<meta http-equiv=\"Content-Security-Policy\" content=\"" +
                     QString::fromLatin1(*kept).toHtmlEscaped().toLatin1() + "\">";
        }
    }
    if (metas.isEmpty()) {
        return page;
    }
    // An XML page takes no element before its root, and a policy only in its head. A page that
    // holds a NUL byte is in UTF-16, whatever its type says (an engine that finds no byte order
    // mark may guess so): there ASCII's bytes read as other characters, and the policy as none.
    // Every other encoding writes ASCII's characters as ASCII's bytes.
    if (mediaTypeOf(contentType) == "application/xhtml+xml" || page.contains('\0')) {
        return std::nullopt;
    }
    QByteArray placed = page;
    placed.insert(firstElementAt(page), metas);
    return placed;
}

}  // namespace quintara::web_band
