// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <tuple>
#include <utility>

class QWidget;

namespace quintara::program {

// A window the main window opens, made each time it is shown and gone once it closes: kept
// hidden between showings, it would hold its window buffer, its pictures and its controls for
// the rest of the run. Every showing of either window starts afresh anyway.
template <class Window, class Contract, class... Needs>
class MadeWhenShown final : public Contract {
public:
    explicit MadeWhenShown(Needs&... needs) : needs_(needs...) {}

    decltype(std::declval<Window&>().showModal(std::declval<QWidget&>())) showModal(
        QWidget& owner) override {
        return std::apply(
            [&owner](Needs&... needs) {
                Window window(needs...);
                return window.showModal(owner);
            },
            needs_);
    }

private:
    std::tuple<Needs&...> needs_;
};

}  // namespace quintara::program
