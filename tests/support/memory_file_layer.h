// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <map>
#include <sstream>

#include "files/file_layer.h"

namespace quintara::testing {

// Files kept in memory: fast enough for tests that save thousands of times.
class MemoryFileLayer : public files::FileLayer {
public:
    std::unique_ptr<std::istream> openForInput(const std::filesystem::path& file) override {
        const auto found = files.find(file);
        if (found == files.end()) {
            return nullptr;
        }
        return std::make_unique<std::istringstream>(found->second);
    }
    std::variant<std::filesystem::path, files::FileFailure> followLinks(
        const std::filesystem::path& file) override {
        return file;
    }
    files::FileFacts inspect(const std::filesystem::path& file) override {
        return {files.contains(file) ? files::FileKind::Plain : files::FileKind::Missing};
    }
    std::variant<std::filesystem::path, files::FileFailure> writeTemporaryFileBeside(
        const std::filesystem::path& target, std::string_view contents) override {
        std::filesystem::path temporary = target;
        temporary += ".tmp" + std::to_string(++temporaryFilesMade_);
        files[temporary] = std::string(contents);
        return temporary;
    }
    std::optional<files::FileFailure> replace(const std::filesystem::path& from,
                                              const std::filesystem::path& to) override {
        const auto found = files.find(from);
        if (found == files.end()) {
            return files::FileFailure{files::FileStep::Replace, to,
                                      std::make_error_code(std::errc::no_such_file_or_directory)};
        }
        std::string contents = std::move(found->second);
        files.erase(found);
        files[to] = std::move(contents);
        return std::nullopt;
    }
    std::optional<files::FileFailure> rewriteInPlace(const std::filesystem::path& target,
                                                     std::string_view contents) override {
        files[target] = std::string(contents);
        return std::nullopt;
    }
    void removeFileQuietly(const std::filesystem::path& file) override { files.erase(file); }
    // Saves here are never cut short.
    void removeLeftoversBeside(const std::filesystem::path&) override {}
    bool putBackInterruptedRewrite(const std::filesystem::path&,
                                   const files::WholeCheck&) override {
        return false;
    }

    std::map<std::filesystem::path, std::string> files;

private:
    int temporaryFilesMade_ = 0;
};

}  // namespace quintara::testing
