// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace quintara::qt {

bool installItalianQtTexts(QCoreApplication& application) {
    return installItalianQtTexts(application, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

bool installItalianQtTexts(QCoreApplication& application, const QString& folder) {
    // The application owns the translator once it is installed, for the whole run.
    auto translator = std::make_unique<QTranslator>(&application);
    if (!translator->load(QStringLiteral("qtbase_it"), folder)) {
        return false;
    }
    return QCoreApplication::installTranslator(translator.release());
}

}  // namespace quintara::qt
