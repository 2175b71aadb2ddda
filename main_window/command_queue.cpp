// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window/command_queue.h"

#include <memory>
#include <utility>

namespace quintara::main_window {

void CommandQueue::run(Command command) {
    waiting_.push_back(std::move(command));
    if (!running_) {
        next();
    }
}

// A command that ends at once lets the next one run from here, so a long queue of quick commands
// runs as a loop, not as ever deeper calls; one that ends later runs it from its `done`.
void CommandQueue::next() {
    while (!waiting_.empty()) {
        running_ = true;
        Command command = std::move(waiting_.front());
        waiting_.pop_front();
        auto ended = std::make_shared<bool>(false);
        auto returned = std::make_shared<bool>(false);
        command([this, ended, returned] {
            if (*ended) {
                return;
            }
            *ended = true;
            if (*returned) {
                next();
            }
        });
        *returned = true;
        if (!*ended) {
            return;
        }
    }
    running_ = false;
}

}  // namespace quintara::main_window
