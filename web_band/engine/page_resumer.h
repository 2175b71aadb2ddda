// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

namespace quintara::web_band {

// Lets the page's process go on once the program has ended, however it ends, should it end while
// that process is stopped: a stopped process never hears that the program is gone, and without
// the engine's sandbox (which would end it with its zygote) it stays behind, stopped, for good.
// A small watch of its own, a shell in a session of its own, is told which process is stopped and
// sends it SIGCONT as soon as its connection to the program closes, which the system does for a
// program that is killed as for one that ends. Started with the first stop.
class PageResumer {
public:
    PageResumer() = default;
    PageResumer(const PageResumer&) = delete;
    PageResumer& operator=(const PageResumer&) = delete;
    ~PageResumer();

    // `process` is stopped now; 0: none is.
    void stopped(qint64 process);

private:
    bool startWatch();

    int connection_ = -1;
    qint64 watch_ = 0;
};

}  // namespace quintara::web_band
