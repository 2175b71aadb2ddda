// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/link_following.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace quintara::files {
namespace {

// As many links as the system itself follows before it gives up on a loop.
constexpr int kMostLinksFollowed = 40;

bool mayFollow(const std::filesystem::path& link, const std::filesystem::path& folder) {
    struct stat linkStatus = {};
    struct stat folderStatus = {};
    if (lstat(link.c_str(), &linkStatus) != 0 ||
        stat(folder.empty() ? "." : folder.c_str(), &folderStatus) != 0) {
        return false;
    }
    return !isSharedFolder(folder) || linkStatus.st_uid == geteuid() ||
           linkStatus.st_uid == folderStatus.st_uid;
}

// Puts the names of `path` in front of those still to walk, which are kept last first.
void walkNext(std::vector<std::filesystem::path>& ahead, const std::filesystem::path& path) {
    const std::vector<std::filesystem::path> names(path.begin(), path.end());
    ahead.insert(ahead.end(), names.rbegin(), names.rend());
}

// The folder holding `reached`. It has no link in it, so stepping back by name is the same as
// stepping back on the disk.
std::filesystem::path folderAbove(const std::filesystem::path& reached) {
    if (reached.empty() || reached.filename() == "..") {
        return reached / "..";
    }
    return reached == reached.root_path() ? reached : reached.parent_path();
}

}  // namespace

bool isSharedFolder(const std::filesystem::path& folder) {
    struct stat status = {};
    return stat(folder.empty() ? "." : folder.c_str(), &status) == 0 &&
           (status.st_mode & S_ISVTX) != 0 && (status.st_mode & S_IWOTH) != 0;
}

std::variant<std::filesystem::path, FileFailure> followLinksSafely(
    const std::filesystem::path& file) {
    std::vector<std::filesystem::path> ahead;
    walkNext(ahead, file.relative_path());
    std::filesystem::path reached = file.root_path();
    int linksFollowed = 0;
    while (!ahead.empty()) {
        const std::filesystem::path name = ahead.back();
        ahead.pop_back();
        if (name.empty() || name == ".") {
            continue;
        }
        if (name == "..") {
            reached = folderAbove(reached);
            continue;
        }
        const std::filesystem::path next = reached / name;
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(next, error))) {
            // A missing name, a dangling link's target included, is created where it is named.
            reached = next;
            continue;
        }
        if (++linksFollowed > kMostLinksFollowed) {
            return FileFailure{FileStep::FollowLink, file,
                               std::make_error_code(std::errc::too_many_symbolic_link_levels)};
        }
        if (!mayFollow(next, reached)) {
            return FileFailure{FileStep::RefuseAnotherUsersLink, next,
                               std::make_error_code(std::errc::permission_denied)};
        }
        const std::filesystem::path leadsTo = std::filesystem::read_symlink(next, error);
        if (error) {
            return FileFailure{FileStep::FollowLink, next, error};
        }
        walkNext(ahead, leadsTo.relative_path());
        if (leadsTo.has_root_path()) {
            reached = leadsTo.root_path();
        }
    }
    return reached;
}

}  // namespace quintara::files
