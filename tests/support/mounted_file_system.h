// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace quintara::testing {

enum class FileSystem { TemporaryFolders, Tmpfs, Fat };

// A folder of the given file system inside `parent`, for one test: `parent` itself for the file
// system of the temporary folders; otherwise a new folder with a file system mounted on it, in
// a mount namespace of the test's own, so that not even a test that dies leaves a mount behind.
// FAT is mounted by fusefat from an image beside it, as a desktop mounts a USB stick with FUSE.
class MountedFileSystem {
public:
    MountedFileSystem(FileSystem kind, const std::filesystem::path& parent)
        : folder_(kind == FileSystem::TemporaryFolders ? parent : parent / "mounted") {
        if (kind != FileSystem::TemporaryFolders) {
            std::filesystem::create_directory(folder_);
            whyNot_ = mount(kind);
            mounted_ = whyNot_.empty();
        }
    }
    ~MountedFileSystem() {
        if (mounted_) {
            umount2(folder_.c_str(), MNT_DETACH);
        }
    }
    MountedFileSystem(const MountedFileSystem&) = delete;
    MountedFileSystem& operator=(const MountedFileSystem&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    // Why this machine cannot mount it (the test is then skipped); empty when it is there.
    const std::string& whyNot() const { return whyNot_; }

private:
    std::string mount(FileSystem kind) const {
        if (geteuid() != 0) {
            return "only root may mount a file system";
        }
        if (unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            return std::string("no mount namespace of the test's own: ") + std::strerror(errno);
        }
        if (kind == FileSystem::Tmpfs) {
            return ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=1m") == 0
                       ? ""
                       : std::string("tmpfs cannot be mounted: ") + std::strerror(errno);
        }
        if (access("/dev/fuse", R_OK | W_OK) != 0) {
            return "fusefat needs /dev/fuse, which this machine lacks";
        }
        const std::string image = folder_.string() + ".img";
        const std::string command = "PATH=\"$PATH:/usr/sbin:/sbin\" mkfs.fat -C '" + image +
                                    "' 1024 >/dev/null && fusefat -o rw+ '" + image + "' '" +
                                    folder_.string() + "' >/dev/null";
        // With root and /dev/fuse the test must run: a missing package is a fault of the set-up.
        EXPECT_EQ(std::system(command.c_str()), 0) << "scripts/setup.sh --tests installs fusefat "
                                                      "and dosfstools";
        return "";
    }

    std::filesystem::path folder_;
    std::string whyNot_;
    bool mounted_ = false;
};

}  // namespace quintara::testing
