// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/file_layer.h"

namespace quintara::platform {

// Italian words for a system error, for messages such as
// "Impossibile salvare le condizioni in Quintara.cfg: <reason>."; an error without words of its
// own is named by its number, so that the message stays wholly Italian.
std::string describeError(std::error_code error);

// "<what failed> <the file's name> (<the error in words>)".
IoError ioFailure(std::string_view whatFailed, const std::filesystem::path& file,
                  std::error_code error);

}  // namespace quintara::platform
