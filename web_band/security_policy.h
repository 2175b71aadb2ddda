// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <optional>

namespace quintara::web_band {

// The page with the Content-Security-Policy header its answer carried (`header`, several
// policies separated by commas) placed in it as <meta http-equiv> elements, before any element
// of the page (after its doctype), so that the policy holds for the bytes the engine is handed.
// The directives a meta element cannot carry are left out where they do nothing for the band
// (frame-ancestors: the band is never framed; report-uri and report-to: reports only). A policy
// with `sandbox`, which only a header can impose, cannot be kept, nor any policy of an XHTML page
// (`contentType`) or of a page in UTF-16: then there is no page to show.
std::optional<QByteArray> withSecurityPolicy(const QByteArray& page, const QByteArray& contentType,
                                             const QByteArray& header);

}  // namespace quintara::web_band
