// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/file_layer.h"

namespace quintara::platform {

std::optional<IoError> writeFileAtomically(FileLayer& files, const std::filesystem::path& target,
                                           std::string_view contents) {
    auto followed = files.followLinks(target);
    if (auto* error = std::get_if<IoError>(&followed)) {
        return *error;
    }
    const auto& destination = std::get<std::filesystem::path>(followed);

    auto written = files.writeTemporaryFileBeside(destination, contents);
    if (auto* error = std::get_if<IoError>(&written)) {
        return *error;
    }
    const auto& temporary = std::get<std::filesystem::path>(written);

    if (auto error = files.replace(temporary, destination)) {
        files.removeFileQuietly(temporary);
        return error;
    }
    return std::nullopt;
}

}  // namespace quintara::platform
