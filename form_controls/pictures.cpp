// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_controls/pictures.h"

#include <QFileInfo>
#include <QGuiApplication>

namespace quintara::form_controls {
namespace {

QString twiceAsLarge(const QString& file) {
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    return file.left(dot) + QStringLiteral("@2x") + file.mid(dot);
}

}  // namespace

QPixmap designPicture(const QString& file) {
    const QString larger = twiceAsLarge(file);
    if (qApp->devicePixelRatio() > 1.0 && QFileInfo::exists(larger)) {
        return QPixmap(larger);
    }
    return QPixmap(file);
}

QIcon designIcon(const QString& file) {
    QIcon icon(file);
    const QString larger = twiceAsLarge(file);
    if (QFileInfo::exists(larger)) {
        icon.addFile(larger);
    }
    return icon;
}

}  // namespace quintara::form_controls
