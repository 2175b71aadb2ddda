// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command_line/config_folder.h"

namespace quintara::command_line {

std::optional<std::filesystem::path> programConfigFolder(std::string_view xdgConfigHome,
                                                         std::string_view home) {
    const std::filesystem::path configured(xdgConfigHome);
    if (configured.is_absolute()) {
        return configured / "quintara";
    }
    const std::filesystem::path homeFolder(home);
    if (homeFolder.is_absolute()) {
        return homeFolder / ".config" / "quintara";
    }
    return std::nullopt;
}

}  // namespace quintara::command_line
