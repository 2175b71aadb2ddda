// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/leftover_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

#include "files/temporary_file.h"

namespace quintara::files {

std::vector<Leftover> leftoversBeside(const std::filesystem::path& target) {
    std::vector<Leftover> found;
    const std::filesystem::path folder = target.parent_path();
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder.empty() ? "." : folder, error), end;
         !error && entry != end; entry.increment(error)) {
        const std::filesystem::path& name = entry->path();
        struct stat status = {};
        if (!isTemporaryFileName(target, name.filename().string()) ||
            lstat(name.c_str(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_nlink != 1 ||
            status.st_uid != geteuid()) {
            continue;
        }
        std::error_code unreadable;
        const auto modified = std::filesystem::last_write_time(name, unreadable);
        if (!unreadable) {
            found.push_back({name, modified, (status.st_mode & 077U) == 0});
        }
    }
    return found;
}

}  // namespace quintara::files
