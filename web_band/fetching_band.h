// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "web_band/engine_band.h"
#include "web_band/web_band.h"

class QStackedLayout;

namespace quintara::web_band {

class OfflineBand;
class PageFetch;

// The band as a build with the engine shows it. It first asks the site for the page itself;
// only when the page arrives is the engine's view made, and shown with it. Until the answer
// comes the band is blank, as the engine's view is while it loads. Without a page the band
// shows our offline band, and the engine is never started.
class FetchingBand final : public QWidget, public WebBand {
public:
    // Makes the engine's view as a child of the band; nullptr when no engine can be had.
    using EngineBandMaker = std::function<EngineBand*(QWidget& band)>;

    FetchingBand(QWidget& parent, qt::LinkOpener& links, EngineBandMaker makeEngineBand,
                 std::chrono::milliseconds siteTimeout);
    ~FetchingBand() override;

    QWidget& widget() override { return *this; }
    void setSilent(bool silent) override;
    bool navigate(const QUrl& page) override;

private:
    void answered(std::optional<FetchedPage> page);
    bool makeEngineBand();
    void showOfflineBand();
    void showLayer(QWidget& layer);

    qt::LinkOpener& links_;
    EngineBandMaker makeEngineBand_;
    std::chrono::milliseconds siteTimeout_;
    QStackedLayout* layers_ = nullptr;
    // A fetch lives until its answer has been heard; a newer one replaces it.
    std::unique_ptr<PageFetch> fetch_;
    EngineBand* engineBand_ = nullptr;
    OfflineBand* offlineBand_ = nullptr;
    bool silent_ = false;
};

}  // namespace quintara::web_band
