// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include "web_band/engine/page_resumer.h"

class QWebEnginePage;
class QWidget;

namespace quintara::web_band {

// What the engine's process for the band's page may take, whatever the page's scripts do. Its
// memory is bounded (kMostRendererDataBytes): a page that allocates past it ends its process,
// which the band sees as a page that broke (renderProcessTerminated), and the program goes on.
// And while nobody can see the page, the main window minimised or hidden, the process is
// stopped, so that it takes no processor at all, however busy the page keeps it; it goes on
// where it stopped when the page is shown again, or once the program has ended, however it ends.
class RendererBounds final : public QObject {
public:
    RendererBounds(QWebEnginePage& page, QWidget& view);
    // A stopped process is let go on, so that it can end with the band.
    ~RendererBounds() override;

    // Ends the page's process at once, as its memory bound would.
    void endThePage();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void started(qint64 process);
    void stopWhileUnseen();

    QWidget& view_;
    qint64 process_ = 0;
    bool stopped_ = false;
    PageResumer resumer_;
};

}  // namespace quintara::web_band
