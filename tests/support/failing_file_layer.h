// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include "platform/local_file_layer.h"

namespace quintara::testing {

// The real file layer, with a fault injected at a chosen step. Root ignores permission bits, so
// tests provoke failures this way or with a directory in the way.
class FailingFileLayer final : public platform::LocalFileLayer {
public:
    // Writes only the first half of the contents, then reports a full disk.
    bool failWriteHalfway = false;
    bool failReplace = false;

    std::optional<platform::IoError> replace(const std::filesystem::path& from,
                                             const std::filesystem::path& to) override {
        if (failReplace) {
            return platform::IoError{"accesso negato"};
        }
        return LocalFileLayer::replace(from, to);
    }

protected:
    std::error_code writeAndSync(int descriptor, std::string_view contents) override {
        if (failWriteHalfway) {
            LocalFileLayer::writeAndSync(descriptor, contents.substr(0, contents.size() / 2));
            return std::make_error_code(std::errc::no_space_on_device);
        }
        return LocalFileLayer::writeAndSync(descriptor, contents);
    }
};

}  // namespace quintara::testing
