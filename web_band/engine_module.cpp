// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/engine_module.h"

#include <QCoreApplication>
#include <QLibrary>

#include "web_band/offline_band.h"

namespace quintara::web_band {

// The module lies at the same place relative to the program in the build tree and once
// installed. Mapped at start-up, its libraries alone would cost more memory than the rest of the
// program: hence a module, opened only when a page has arrived.
EngineBand* loadEngineBand(QWidget& band, qt::LinkOpener& links) {
    QLibrary module(QCoreApplication::applicationDirPath() +
                    QStringLiteral("/" QUINTARA_WEB_ENGINE_MODULE));
    auto* make = reinterpret_cast<MakeEngineBand*>(module.resolve(kMakeEngineBandSymbol));
    if (make == nullptr) {
        qWarning("Quintara: no web engine, showing the offline band (%s)",
                 qPrintable(module.errorString()));
        return nullptr;
    }
    return make(band, links, OfflineBand::html());
}

}  // namespace quintara::web_band
