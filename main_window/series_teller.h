// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>

namespace quintara::main_window {

// How long a window that comes back is left to be read out, with its focused control, before
// the series it holds back is announced: announced sooner, the series would be cut off by that
// reading, or heard in it as the window's description.
inline constexpr std::chrono::milliseconds kTellAfterActivation{1000};

// Tells a screen reader each series once. In the active window the series is announced as it
// appears. A window that is not active (the conditions dialog has just closed, and the keyboard
// comes back only once the series is drawn) holds it back, out of its description too, until it
// is active again and has been read out: then the series is announced. Screen readers differ in
// whether they say a window's description as it becomes active; held back, it is heard once with
// either. A window that has never been active (a compositor that gives it no keyboard) is read
// out by nobody: its series is described at once, and told to nobody.
class SeriesTeller {
public:
    using Announce = std::function<void(const QString& series)>;

    explicit SeriesTeller(Announce announce,
                          std::chrono::milliseconds afterActivation = kTellAfterActivation);

    // The series now on view, empty when there is none (covers closed, series refused).
    void show(const QString& series, bool windowActive);
    void windowActivated();
    void windowDeactivated();

    // The window's description: the series on view once it has been told.
    QString description() const { return held_ ? QString() : series_; }

private:
    void tell();

    Announce announce_;
    QString series_;
    bool held_ = false;
    bool everActive_ = false;
    QTimer afterActivation_;
};

}  // namespace quintara::main_window
