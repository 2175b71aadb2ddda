// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_controls/pictures.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>

namespace quintara::form_controls {
namespace {

QString twiceAsLarge(const QString& file) {
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    return file.left(dot) + QStringLiteral("@2x") + file.mid(dot);
}

// Read anew each time: QPixmap's own reading keeps every picture it read in Qt's picture cache
// for the rest of the run, also once the window that showed it is gone.
QPixmap picture(const QString& file) {
    return QPixmap::fromImage(QImage(file));
}

}  // namespace

QPixmap designPicture(const QString& file) {
    const QString larger = twiceAsLarge(file);
    const bool scaled = qApp->devicePixelRatio() > 1.0 && QFileInfo::exists(larger);
    return picture(scaled ? larger : file);
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
