// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>
#include <variant>

namespace quintara::files {

// Owns an open file descriptor and closes it exactly once.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    FileDescriptor(FileDescriptor&& other) noexcept
        : descriptor_(std::exchange(other.descriptor_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            close();
            descriptor_ = std::exchange(other.descriptor_, -1);
        }
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { close(); }

    int get() const { return descriptor_; }
    explicit operator bool() const { return descriptor_ >= 0; }

    // Closes now. Some file systems (NFS) report a failed write only here, so a writer checks it.
    std::error_code close();

private:
    int descriptor_ = -1;
};

using OpenedFile = std::variant<FileDescriptor, std::error_code>;

enum class Access { Read, ReadAndWrite };

// Opens `file` only when it is a plain file, never through a link at its own name and never
// waiting: a folder fails with "is a directory", and a named pipe, a socket or a device with
// "no such device or address", so that nobody can make the program hang in an open.
OpenedFile openPlainFile(const std::filesystem::path& file, Access access);

// Creates `file` for reading and writing only if nothing, not even a link, is there already.
// `mode` is narrowed by the umask and any default ACL of the folder.
OpenedFile createExclusively(const std::filesystem::path& file, unsigned mode);

// A second descriptor of the same open file, sharing its position; closed on its own.
FileDescriptor duplicateDescriptor(int descriptor);

// The folder, opened only to force its changes to the disk; nothing where folders cannot be.
FileDescriptor openFolder(const std::filesystem::path& folder);

// The system calls the file layer makes, gathered here; each returns what the system
// returned, and its error is in lastSystemError().
// Reads into a buffer of known size, so that the C library can check the call.
using ReadBuffer = std::array<char, 16 * 1024>;
long readSome(int descriptor, ReadBuffer& buffer);
long writeSome(int descriptor, std::string_view bytes);
int syncDescriptor(int descriptor);
int rewind(int descriptor);
// Cuts the file off at the current position.
int truncateHere(int descriptor);

std::error_code lastSystemError();

}  // namespace quintara::files
