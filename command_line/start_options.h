// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quintara::command_line {

// The options file in the program's configuration folder: the options a user wants at every
// start, one a line, as on the command line; blank lines and lines starting with # are skipped.
inline constexpr char kOptionsFileName[] = "options";

struct StartOptions {
    // No page of the maker's site: no connection, no name lookup, no web engine.
    bool offline = false;
    // Quintara.cfg in the program's configuration folder rather than in the current one: the
    // desktop's menu starts the program in the home folder, which the file would clutter.
    bool settingsInConfigFolder = false;

    friend bool operator==(const StartOptions&, const StartOptions&) = default;
};

// What the program prints before it ends, without a window.
struct Ending {
    std::string output;  // standard output
    std::string errors;  // standard error
    int status = 0;
};

// --help and --version are answered before Qt starts, so that they work without a display.
std::optional<Ending> answerWithoutWindows(const std::vector<std::string>& arguments);

struct StartReading {
    StartOptions options;
    // For standard error: the lines of the options file that were ignored, and why.
    std::string warnings;
};

// The options of this start: those of the options file (`optionsFile`, its contents, read from
// `optionsFileName`), then those of the command line, the later of two contrary ones winning.
// `arguments` are what Qt left of the command line, the program's name first. Anything on the
// command line that is no option of the program's ends it with a usage error; a line of the
// file that is none is ignored with a warning, so that a slip there never keeps the program
// from starting.
std::variant<StartReading, Ending> readStartOptions(const std::vector<std::string>& arguments,
                                                    std::string_view optionsFile,
                                                    std::string_view optionsFileName);

}  // namespace quintara::command_line
