// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QCoreApplication;

namespace quintara::qt {

// Qt's own texts (the file chooser, the standard buttons) in Italian like the program's, whatever
// the user's language. False when Qt's Italian translations are not installed: Qt's texts then
// stay English and nothing else changes.
bool installItalianQtTexts(QCoreApplication& application);

// The same, from the translations in `folder`.
bool installItalianQtTexts(QCoreApplication& application, const QString& folder);

}  // namespace quintara::qt
