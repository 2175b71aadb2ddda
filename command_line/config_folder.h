// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace quintara::command_line {

// The program's folder among the user's configuration, $XDG_CONFIG_HOME/quintara, by default
// ~/.config/quintara: where the options file lies, and the settings file of a start from the
// desktop's menu. A relative or empty XDG_CONFIG_HOME is ignored, as the desktops' rule says;
// nothing when neither variable names an absolute folder.
std::optional<std::filesystem::path> programConfigFolder(std::string_view xdgConfigHome,
                                                         std::string_view home);

}  // namespace quintara::command_line
