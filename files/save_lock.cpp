// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/save_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

namespace quintara::files {
namespace {

// A folder of the user's that nobody else may enter, not reached through a link.
bool isPrivateFolder(const std::filesystem::path& folder) {
    struct stat status = {};
    return lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == geteuid() && (status.st_mode & 077U) == 0;
}

std::string userNumber() {
    return std::to_string(geteuid());
}

// Where the locks go; nothing when no folder others cannot open can be had. Someone who made a
// folder of that name first in a shared folder leaves the saves unlocked, no worse.
std::filesystem::path lockFolderIn(const std::filesystem::path& place) {
    const std::filesystem::path folder = place / ("quintara-" + userNumber());
    mkdir(folder.c_str(), 0700);
    return isPrivateFolder(folder) ? folder : std::filesystem::path();
}

bool isSameFile(const struct stat& one, const struct stat& other) {
    return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

// Each lock file is removed by the save that held it, before it lets go: a lock taken on a file
// that is gone from its name by then holds nothing, and is taken again on the file at the name
// now. Each new try means another save came and went meanwhile, so a few are plenty.
constexpr int kAttempts = 8;

}  // namespace

SaveLock::SaveLock(std::filesystem::path name, FileDescriptor held)
    : name_(std::move(name)), held_(std::move(held)) {}

SaveLock::~SaveLock() {
    if (held_) {
        unlink(name_.c_str());
    }
}

std::filesystem::path placeOfSaveLocks() {
    const std::filesystem::path session = "/run/user/" + userNumber();
    return isPrivateFolder(session) ? session : std::filesystem::path("/tmp");
}

std::variant<SaveLock, std::error_code> lockForWriting(int descriptor,
                                                       const std::filesystem::path& place) {
    struct stat file = {};
    const std::filesystem::path folder = lockFolderIn(place);
    if (fstat(descriptor, &file) != 0 || folder.empty()) {
        return SaveLock();
    }
    const std::filesystem::path name =
        folder / (std::to_string(file.st_dev) + "-" + std::to_string(file.st_ino) + ".lock");
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        FileDescriptor lock(open(name.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!lock) {
            return SaveLock();
        }
        if (flock(lock.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK) {
                break;
            }
            if (errno == EINTR) {
                continue;
            }
            return SaveLock();
        }
        struct stat held = {};
        struct stat named = {};
        if (fstat(lock.get(), &held) == 0 && lstat(name.c_str(), &named) == 0 &&
            isSameFile(held, named)) {
            return SaveLock(name, std::move(lock));
        }
    }
    return std::make_error_code(std::errc::operation_would_block);
}

}  // namespace quintara::files
