// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <deque>
#include <functional>

namespace quintara::main_window {

// The window's commands, one at a time and in the order they were given. A command may end later
// than it returns (when the covers move or a long draw runs, from the event loop): one given
// meanwhile waits until it has, so that a click during a series acts after it, as the user
// expects of a window that answers throughout.
class CommandQueue {
public:
    // What a command calls once it has ended, at once or later.
    using Done = std::function<void()>;
    using Command = std::function<void(Done done)>;

    void run(Command command);

    // A command runs or waits.
    bool busy() const { return running_; }

private:
    void next();

    std::deque<Command> waiting_;
    bool running_ = false;
};

}  // namespace quintara::main_window
