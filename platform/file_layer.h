// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace quintara::platform {

// Why a file operation failed, in words the user can read (Italian), e.g.
// "la cartella è protetta da scrittura".
struct IoError {
    std::string reason;
};

// The few file operations the settings file needs, behind an interface so that tests can make
// any step fail.
class FileLayer {
public:
    virtual ~FileLayer() = default;

    // Nothing when the file cannot be opened for reading (missing, no permission). Symbolic links
    // are followed, as any program follows them.
    virtual std::unique_ptr<std::istream> openForInput(const std::filesystem::path& file) = 0;

    // The file that saving `file` must replace: `file` itself, or, when it is a symbolic link, the
    // file at the end of its links, which need not exist yet.
    virtual std::variant<std::filesystem::path, IoError> followLinks(
        const std::filesystem::path& file) = 0;

    // Creates a file in the folder of `target` under a name nobody can foresee, never over an
    // existing file or through a link; gives it the permissions of `target` (the user's default
    // when there is no `target` yet), writes the contents and forces them to the disk. Returns
    // its path; on failure it leaves nothing behind.
    virtual std::variant<std::filesystem::path, IoError> writeTemporaryFileBeside(
        const std::filesystem::path& target, std::string_view contents) = 0;

    // Renames `from` over `to` in one step, so that `to` is either the old file or the new one,
    // and forces the folder's change to the disk.
    virtual std::optional<IoError> replace(const std::filesystem::path& from,
                                           const std::filesystem::path& to) = 0;

    // Removes a file; never a directory. Failures are ignored.
    virtual void removeFileQuietly(const std::filesystem::path& file) = 0;
};

// Writes the contents to a new temporary file beside the target and renames it over the target,
// so that whatever fails, the target holds either its old bytes or the new ones, never a mix,
// and no file of this save is left behind. A target that is a symbolic link stays one: the file
// it leads to is the one replaced. Saves running at the same time each use their own temporary
// file, so the target ends up whole, as one of them wrote it.
std::optional<IoError> writeFileAtomically(FileLayer& files, const std::filesystem::path& target,
                                           std::string_view contents);

}  // namespace quintara::platform
