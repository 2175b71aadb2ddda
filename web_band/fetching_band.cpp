// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/fetching_band.h"

#include <QStackedLayout>

#include "web_band/offline_band.h"
#include "web_band/page_fetch.h"

namespace quintara::web_band {

FetchingBand::FetchingBand(QWidget& parent, qt::LinkOpener& links, EngineBandMaker makeEngineBand,
                           std::chrono::milliseconds siteTimeout)
    : QWidget(&parent),
      links_(links),
      makeEngineBand_(std::move(makeEngineBand)),
      siteTimeout_(siteTimeout) {
    // White, as the engine's view is before its page is drawn.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    setAutoFillBackground(true);
    setAccessibleName(QStringLiteral("Pagina del sito di Quintara"));
    layers_ = new QStackedLayout(this);
    layers_->setContentsMargins(0, 0, 0, 0);
}

FetchingBand::~FetchingBand() = default;

void FetchingBand::setSilent(bool silent) {
    silent_ = silent;
    if (engineBand_ != nullptr) {
        engineBand_->setSilent(silent);
    }
}

bool FetchingBand::navigate(const QUrl& page) {
    if (!page.isValid()) {
        return false;
    }
    // An answer still awaited is no longer wanted.
    fetch_ = std::make_unique<PageFetch>(
        page, siteTimeout_,
        [this](std::optional<FetchedPage> answer) { answered(std::move(answer)); }, nullptr);
    return true;
}

void FetchingBand::answered(std::optional<FetchedPage> page) {
    // The request is over: its connections and threads go, once its signal has returned.
    fetch_.release()->deleteLater();
    if (!page || !makeEngineBand()) {
        showOfflineBand();
        return;
    }
    engineBand_->showPage(*page);
    showLayer(engineBand_->widget());
}

bool FetchingBand::makeEngineBand() {
    if (engineBand_ == nullptr && makeEngineBand_) {
        engineBand_ = makeEngineBand_(*this);
        if (engineBand_ != nullptr) {
            engineBand_->setSilent(silent_);
            layers_->addWidget(&engineBand_->widget());
        }
    }
    return engineBand_ != nullptr;
}

void FetchingBand::showOfflineBand() {
    if (offlineBand_ == nullptr) {
        offlineBand_ = new OfflineBand(*this, links_);
        layers_->addWidget(offlineBand_);
    }
    showLayer(*offlineBand_);
}

// The keyboard reaches the band through the layer it shows.
void FetchingBand::showLayer(QWidget& layer) {
    layers_->setCurrentWidget(&layer);
    setFocusProxy(&layer);
}

}  // namespace quintara::web_band
