// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/engine/renderer_bounds.h"

#include <sys/resource.h>
#include <unistd.h>

#include <QEvent>
#include <QWebEnginePage>
#include <QWidget>
#include <csignal>

#include "web_band/page_limits.h"

namespace quintara::web_band {

RendererBounds::RendererBounds(QWebEnginePage& page, QWidget& view) : QObject(&view), view_(view) {
    // The engine tells of a new process only when the page moves to another; ask as it loads.
    connect(&page, &QWebEnginePage::renderProcessPidChanged, this, &RendererBounds::started);
    const auto ask = [this, &page] {
        if (page.renderProcessPid() != process_) {
            started(page.renderProcessPid());
        }
    };
    connect(&page, &QWebEnginePage::loadStarted, this, ask);
    connect(&page, &QWebEnginePage::loadProgress, this, ask);
    view.installEventFilter(this);
    view.window()->installEventFilter(this);
}

RendererBounds::~RendererBounds() {
    if (stopped_) {
        kill(static_cast<pid_t>(process_), SIGCONT);
    }
}

// The data a process may map writable counts what its scripts, pictures and documents take,
// not the shared memory it draws the page with nor the address space the engine only reserves.
// The program's own process never: the engine's switches keep the page out of it.
void RendererBounds::started(qint64 process) {
    process_ = process;
    stopped_ = false;
    if (process <= 0 || process == getpid()) {
        process_ = 0;
        return;
    }
    const rlimit bound{kMostRendererDataBytes, kMostRendererDataBytes};
    prlimit(static_cast<pid_t>(process), RLIMIT_DATA, &bound, nullptr);
    stopWhileUnseen();
}

bool RendererBounds::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::Hide || type == QEvent::WindowStateChange) {
        stopWhileUnseen();
    }
    return QObject::eventFilter(watched, event);
}

void RendererBounds::stopWhileUnseen() {
    const bool unseen = !view_.isVisible() || view_.window()->isMinimized();
    if (process_ != 0 && unseen != stopped_ &&
        kill(static_cast<pid_t>(process_), unseen ? SIGSTOP : SIGCONT) == 0) {
        stopped_ = unseen;
    }
}

}  // namespace quintara::web_band
