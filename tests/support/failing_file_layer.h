// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <sys/stat.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "files/local_file_layer.h"

namespace quintara::testing {

// The real file layer, which records the steps that make a save lasting and fails one on
// demand. Root ignores permission bits, so tests provoke failures this way or with a directory
// in the way.
class FailingFileLayer final : public files::LocalFileLayer {
public:
    // A failing write writes only the first half of its bytes, then reports a full disk. Every
    // write fails, or only those numbered here (from 1, in the order of the save).
    bool failWriteHalfway = false;
    std::set<int> failingWrites;
    bool failReplace = false;

    // "write", "sync" (a file or a folder forced to the disk) and "replace", in order.
    std::vector<std::string> steps;
    // The permission bits of each file of the save, at the moment it was created.
    std::vector<unsigned> modesAtCreation;
    // How often a file was opened for reading.
    int reads = 0;

    std::unique_ptr<std::istream> openForInput(const std::filesystem::path& file) override {
        ++reads;
        return LocalFileLayer::openForInput(file);
    }

    std::optional<files::FileFailure> replace(const std::filesystem::path& from,
                                              const std::filesystem::path& to) override {
        steps.emplace_back("replace");
        if (failReplace) {
            return files::FileFailure{files::FileStep::Replace, to,
                                      std::make_error_code(std::errc::permission_denied)};
        }
        return LocalFileLayer::replace(from, to);
    }

protected:
    std::variant<files::TemporaryFile, std::error_code> createFileBeside(
        const std::filesystem::path& target, unsigned mode) override {
        auto created = LocalFileLayer::createFileBeside(target, mode);
        if (const auto* file = std::get_if<files::TemporaryFile>(&created)) {
            struct stat status = {};
            fstat(file->file.get(), &status);
            modesAtCreation.push_back(status.st_mode & 07777U);
        }
        return created;
    }
    std::error_code writeAll(int descriptor, std::string_view bytes) override {
        steps.emplace_back("write");
        ++writes_;
        if (failWriteHalfway || failingWrites.contains(writes_)) {
            LocalFileLayer::writeAll(descriptor, bytes.substr(0, bytes.size() / 2));
            return std::make_error_code(std::errc::no_space_on_device);
        }
        return LocalFileLayer::writeAll(descriptor, bytes);
    }
    std::error_code forceToDisk(int descriptor) override {
        steps.emplace_back("sync");
        return LocalFileLayer::forceToDisk(descriptor);
    }

private:
    int writes_ = 0;
};

}  // namespace quintara::testing
