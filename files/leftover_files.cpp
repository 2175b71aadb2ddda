// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/leftover_files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <limits>
#include <optional>
#include <string>
#include <system_error>

#include "files/temporary_file.h"

namespace quintara::files {
namespace {

std::filesystem::path folderOf(const std::filesystem::path& target) {
    const std::filesystem::path folder = target.parent_path();
    return folder.empty() ? "." : folder;
}

// The file of that name in `folder`, when it is a leftover of `target`.
std::optional<Leftover> leftoverNamed(const std::filesystem::path& target,
                                      const std::filesystem::path& folder, const char* name) {
    if (!isTemporaryFileName(target, name)) {
        return std::nullopt;
    }
    const std::filesystem::path file = folder / name;
    struct stat status = {};
    if (lstat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_nlink != 1 ||
        status.st_uid != geteuid()) {
        return std::nullopt;
    }
    std::error_code unreadable;
    const auto modified = std::filesystem::last_write_time(file, unreadable);
    if (unreadable) {
        return std::nullopt;
    }
    return Leftover{file, modified, (status.st_mode & 077U) == 0};
}

// Reads at most `most` names of the folder from `position` on (0: its start), keeping the
// leftovers of `target`; returns where to go on, 0 once the folder was read to its end.
long readLeftovers(const std::filesystem::path& target, long position, long most,
                   std::vector<Leftover>& found) {
    const std::filesystem::path folder = folderOf(target);
    DIR* stream = opendir(folder.c_str());
    if (stream == nullptr) {
        return 0;
    }
    if (position != 0) {
        seekdir(stream, position);
    }
    long read = 0;
    for (; read < most; ++read) {
        const dirent* entry = readdir(stream);
        if (entry == nullptr) {
            break;
        }
        if (auto leftover = leftoverNamed(target, folder, entry->d_name)) {
            found.push_back(std::move(*leftover));
        }
    }
    const long next = read == most ? telldir(stream) : 0;
    closedir(stream);
    return next > 0 ? next : 0;
}

}  // namespace

std::vector<Leftover> leftoversBeside(const std::filesystem::path& target) {
    std::vector<Leftover> found;
    readLeftovers(target, 0, std::numeric_limits<long>::max(), found);
    return found;
}

std::vector<Leftover> LeftoverSearch::nextLeftoversBeside(const std::filesystem::path& target) {
    std::vector<Leftover> found;
    long& position = resumeAt_[folderOf(target)];
    position = readLeftovers(target, position, kNamesReadAtATime, found);
    return found;
}

}  // namespace quintara::files
