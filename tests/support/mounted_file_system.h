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

// A folder of the given file system inside `parent` for one test: `parent` itself, or a folder
// with tmpfs or FAT (through fusefat, as a desktop mounts a USB stick) mounted on it in a mount
// namespace of the test's own, so that not even a test that dies leaves a mount behind.
struct MountedFileSystem {
    MountedFileSystem(FileSystem kind, const std::filesystem::path& parent)
        : folder(kind == FileSystem::TemporaryFolders ? parent : parent / "mounted") {
        if (kind != FileSystem::TemporaryFolders) {
            std::filesystem::create_directory(folder);
            whyNot = mount(kind);
            mounted = whyNot.empty();
        }
    }
    ~MountedFileSystem() {
        if (mounted) {
            umount2(folder.c_str(), MNT_DETACH);
        }
    }

    std::string mount(FileSystem kind) const {
        if (geteuid() != 0) {
            return "only root may mount a file system";
        }
        // The Debian roots of the source package test say so: FUSE serves no mount made in a
        // chroot.
        if (kind == FileSystem::Fat && std::getenv("QUINTARA_NO_FUSE_MOUNTS") != nullptr) {
            return "fusefat cannot mount here (QUINTARA_NO_FUSE_MOUNTS)";
        }
        if (unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            return std::string("no mount namespace of the test's own: ") + std::strerror(errno);
        }
        if (kind == FileSystem::Tmpfs) {
            return ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=1m") == 0
                       ? ""
                       : std::string("tmpfs: ") + std::strerror(errno);
        }
        if (access("/dev/fuse", R_OK | W_OK) != 0) {
            return "fusefat needs /dev/fuse, which this machine lacks";
        }
        const std::string image = folder.string() + ".img";
        const std::string command = "PATH=\"$PATH:/usr/sbin:/sbin\" mkfs.fat -C '" + image +
                                    "' 1024 >/dev/null && fusefat -o rw+ '" + image + "' '" +
                                    folder.string() + "'";
        // With root and /dev/fuse the test runs: a missing package is a fault of the set-up.
        EXPECT_EQ(std::system(command.c_str()), 0) << "scripts/setup.sh --tests installs them";
        return "";
    }

    std::filesystem::path folder;
    std::string whyNot;  // why this machine cannot mount it; empty when it is there
    bool mounted = false;
};

}  // namespace quintara::testing
