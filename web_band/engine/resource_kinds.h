// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <optional>

namespace quintara::web_band {

// What the page asked for a resource as. The request filter, which the engine tells, passes it to
// our resource fetch in a header of the request, one the page cannot set: a page asks for its
// scripts, pictures, style sheets and fonts with no headers of its own.
enum class ResourceKind { Picture, StyleSheet, Font, Script };
inline constexpr char kResourceKindHeader[] = "X-Quintara-Resource-Kind";

QByteArray nameOf(ResourceKind kind);
std::optional<ResourceKind> kindNamed(const QByteArray& name);

// Whether an answer of this Content-Type may serve as `kind`, as a browser decides for the web:
// a script only when answered as a script; a style sheet only as one when the site says
// X-Content-Type-Options: nosniff. Pictures and fonts are what the engine finds them to be.
bool suits(ResourceKind kind, const QByteArray& contentType, const QByteArray& contentTypeOptions);

}  // namespace quintara::web_band
