// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <system_error>

#include "platform/file_layer.h"

namespace quintara::platform {

// The machine's own file system.
class LocalFileLayer : public FileLayer {
public:
    std::unique_ptr<std::istream> openForInput(const std::filesystem::path& file) override;
    std::variant<std::filesystem::path, IoError> followLinks(
        const std::filesystem::path& file) override;
    std::variant<std::filesystem::path, IoError> writeTemporaryFileBeside(
        const std::filesystem::path& target, std::string_view contents) override;
    std::optional<IoError> replace(const std::filesystem::path& from,
                                   const std::filesystem::path& to) override;
    void removeFileQuietly(const std::filesystem::path& file) override;

protected:
    // Writes all of the contents to an open file and forces them to the disk; the system's error
    // when that fails. Tests override it to fail part-way, as a full disk does.
    virtual std::error_code writeAndSync(int descriptor, std::string_view contents);
};

// Italian words for a system error, for messages such as
// "Impossibile salvare le condizioni in Quintara.cfg: <reason>."
std::string describeError(std::error_code error);

}  // namespace quintara::platform
