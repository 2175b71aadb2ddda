// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/save_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace quintara::files {
namespace {

// A folder of the user's that nobody else may enter, not reached through a link.
bool isPrivateFolder(const std::filesystem::path& folder) {
    struct stat status = {};
    return lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == geteuid() && (status.st_mode & 077U) == 0;
}

// Where the locks go; nothing when no folder others cannot open can be had. Someone who made a
// folder of that name first in the shared temporary folder leaves the saves unlocked, no worse.
std::filesystem::path lockFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code noTemporaryFolder;
    const std::filesystem::path base =
        runtime != nullptr && isPrivateFolder(runtime)
            ? std::filesystem::path(runtime)
            : std::filesystem::temp_directory_path(noTemporaryFolder);
    if (base.empty()) {
        return {};
    }
    const std::filesystem::path folder = base / ("quintara-" + std::to_string(geteuid()));
    mkdir(folder.c_str(), 0700);
    return isPrivateFolder(folder) ? folder : std::filesystem::path();
}

}  // namespace

OpenedFile lockForWriting(int descriptor) {
    struct stat file = {};
    const std::filesystem::path folder = lockFolder();
    if (fstat(descriptor, &file) != 0 || folder.empty()) {
        return FileDescriptor();
    }
    const std::filesystem::path name =
        folder / (std::to_string(file.st_dev) + "-" + std::to_string(file.st_ino) + ".lock");
    FileDescriptor lock(open(name.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!lock) {
        return FileDescriptor();
    }
    constexpr int kAttempts = 20;
    for (int attempt = 1;; ++attempt) {
        if (flock(lock.get(), LOCK_EX | LOCK_NB) == 0) {
            return lock;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return FileDescriptor();
        }
        if (attempt == kAttempts) {
            return std::make_error_code(std::errc::operation_would_block);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

}  // namespace quintara::files
