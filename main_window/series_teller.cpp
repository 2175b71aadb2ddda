// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window/series_teller.h"

namespace quintara::main_window {

SeriesTeller::SeriesTeller(Announce announce, std::chrono::milliseconds afterActivation)
    : announce_(std::move(announce)) {
    afterActivation_.setSingleShot(true);
    afterActivation_.setInterval(afterActivation);
    QObject::connect(&afterActivation_, &QTimer::timeout, [this] { tell(); });
}

void SeriesTeller::show(const QString& series, bool windowActive) {
    afterActivation_.stop();
    series_ = series;
    held_ = !series.isEmpty() && (windowActive || everActive_);
    if (windowActive) {
        tell();
    }
}

void SeriesTeller::windowActivated() {
    everActive_ = true;
    if (held_) {
        afterActivation_.start();
    }
}

void SeriesTeller::windowDeactivated() {
    afterActivation_.stop();
}

void SeriesTeller::tell() {
    if (held_) {
        held_ = false;
        announce_(series_);
    }
}

}  // namespace quintara::main_window
