// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/engine/renderer_bounds.h"

#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QWebEnginePage>
#include <QWidget>
#include <csignal>
#include <map>
#include <vector>

#include "web_band/page_limits.h"

namespace quintara::web_band {
namespace {

// The data a process may map writable counts what its scripts, pictures and documents take,
// not the shared memory it draws the page with nor the address space the engine only reserves.
void bound(qint64 process) {
    const rlimit most{kMostRendererDataBytes, kMostRendererDataBytes};
    prlimit(static_cast<pid_t>(process), RLIMIT_DATA, &most, nullptr);
}

// The engine's zygotes, which every page's process is forked from and inherits its limits
// of, so that a page is bounded before its first script runs: the program's processes started
// as --type=zygote, not the one for the engine's other processes (--no-zygote-sandbox). Found in
// /proc, as Qt names a page's process only once it runs, and no zygote at all; the band's test
// checks that the zygote holds the bound.
void boundEveryPageFromItsStart() {
    std::multimap<qint64, qint64> children;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        const QByteArray fields = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
        const qint64 parent =
            fields.mid(fields.lastIndexOf(')') + 2).split(' ').value(1).toLongLong();
        children.emplace(parent, entry.toLongLong());
    }
    std::vector<qint64> ours{getpid()};
    for (std::size_t at = 0; at < ours.size(); ++at) {
        for (auto [child, end] = children.equal_range(ours[at]); child != end; ++child) {
            QFile command(QStringLiteral("/proc/%1/cmdline").arg(child->second));
            const QByteArray line =
                command.open(QIODevice::ReadOnly) ? command.readAll() : QByteArray();
            if (line.contains("--type=zygote") && !line.contains("--no-zygote-sandbox")) {
                bound(child->second);
                ours.push_back(child->second);
            }
        }
    }
}

}  // namespace

RendererBounds::RendererBounds(QWebEnginePage& page, QWidget& view) : QObject(&view), view_(view) {
    boundEveryPageFromItsStart();
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
        resumer_.stopped(0);
    }
}

void RendererBounds::endThePage() {
    if (process_ != 0) {
        kill(static_cast<pid_t>(process_), SIGKILL);
    }
}

// Each of the page's processes again, should the engine have started it otherwise. The program's
// own process never: the engine's switches keep the page out of it.
void RendererBounds::started(qint64 process) {
    process_ = process;
    if (stopped_) {
        stopped_ = false;
        resumer_.stopped(0);
    }
    if (process <= 0 || process == getpid()) {
        process_ = 0;
        return;
    }
    bound(process);
    stopWhileUnseen();
}

bool RendererBounds::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::Hide || type == QEvent::WindowStateChange) {
        stopWhileUnseen();
    }
    return QObject::eventFilter(watched, event);
}

// A signal, not the engine's own lifecycle state: a frozen page runs no more timers or tasks, but
// one that never returns from its script keeps a core busy all the same.
void RendererBounds::stopWhileUnseen() {
    const bool unseen = !view_.isVisible() || view_.window()->isMinimized();
    if (process_ != 0 && unseen != stopped_ &&
        kill(static_cast<pid_t>(process_), unseen ? SIGSTOP : SIGCONT) == 0) {
        stopped_ = unseen;
        resumer_.stopped(unseen ? process_ : 0);
    }
}

}  // namespace quintara::web_band
