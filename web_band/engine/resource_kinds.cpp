// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/engine/resource_kinds.h"

#include <QList>
#include <array>
#include <utility>

namespace quintara::web_band {
namespace {

constexpr std::array<std::pair<ResourceKind, const char*>, 4> kNames{{
    {ResourceKind::Picture, "picture"},
    {ResourceKind::StyleSheet, "style-sheet"},
    {ResourceKind::Font, "font"},
    {ResourceKind::Script, "script"},
}};

// The JavaScript types of the web's MIME sniffing rules.
bool isJavaScript(const QByteArray& mediaType) {
    static const QList<QByteArray> kTypes{"application/ecmascript",
                                          "application/javascript",
                                          "application/x-ecmascript",
                                          "application/x-javascript",
                                          "text/ecmascript",
                                          "text/javascript",
                                          "text/javascript1.0",
                                          "text/javascript1.1",
                                          "text/javascript1.2",
                                          "text/javascript1.3",
                                          "text/javascript1.4",
                                          "text/javascript1.5",
                                          "text/jscript",
                                          "text/livescript",
                                          "text/x-ecmascript",
                                          "text/x-javascript"};
    return kTypes.contains(mediaType);
}

}  // namespace

QByteArray nameOf(ResourceKind kind) {
    for (const auto& [each, name] : kNames) {
        if (each == kind) {
            return name;
        }
    }
    return {};
}

std::optional<ResourceKind> kindNamed(const QByteArray& name) {
    for (const auto& [kind, each] : kNames) {
        if (name == each) {
            return kind;
        }
    }
    return std::nullopt;
}

bool suits(ResourceKind kind, const QByteArray& contentType, const QByteArray& contentTypeOptions) {
    const QByteArray mediaType = contentType.split(';').first().trimmed().toLower();
    switch (kind) {
        case ResourceKind::Script:
            return isJavaScript(mediaType);
        case ResourceKind::StyleSheet:
            return mediaType == "text/css" ||
                   contentTypeOptions.split(',').first().trimmed().toLower() != "nosniff";
        case ResourceKind::Picture:
        case ResourceKind::Font:
            return true;
    }
    return false;
}

}  // namespace quintara::web_band
