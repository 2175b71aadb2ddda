// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "command_line/start_options.h"
#include "files/file_layer.h"

namespace quintara::program {

// The options of this run: the user's options file, in the program's configuration folder as
// the environment names it, then `arguments`, what Qt left of the command line.
std::variant<command_line::StartReading, command_line::Ending> readUserOptions(
    const std::vector<std::string>& arguments, files::FileLayer& files);

// Where this run keeps Quintara.cfg: the current folder, or, started with --config-folder (as
// the desktop's menu starts it), the program's configuration folder; the current folder too when
// the environment names no configuration folder.
std::filesystem::path settingsFileOfThisRun(const command_line::StartOptions& options,
                                            files::FileLayer& files);

// Prints what the program says before it ends without a window; returns its exit status.
int endWith(const command_line::Ending& ending);

}  // namespace quintara::program
