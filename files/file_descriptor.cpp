// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/file_descriptor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace quintara::files {
namespace {

std::error_code notPlain(bool folder) {
    return std::make_error_code(folder ? std::errc::is_a_directory
                                       : std::errc::no_such_device_or_address);
}

}  // namespace

std::error_code lastSystemError() {
    return {errno, std::generic_category()};
}

std::error_code FileDescriptor::close() {
    const int descriptor = std::exchange(descriptor_, -1);
    return descriptor >= 0 && ::close(descriptor) != 0 ? lastSystemError() : std::error_code{};
}

OpenedFile openPlainFile(const std::filesystem::path& file, Access access) {
    struct stat status = {};
    // Looking before opening spares a device the side effects of an open.
    if (lstat(file.c_str(), &status) != 0) {
        return lastSystemError();
    }
    if (!S_ISREG(status.st_mode)) {
        return notPlain(S_ISDIR(status.st_mode));
    }
    const int flags = (access == Access::Read ? O_RDONLY : O_RDWR) | O_NOFOLLOW | O_NONBLOCK |
                      O_NOCTTY | O_CLOEXEC;
    FileDescriptor opened(open(file.c_str(), flags));
    if (!opened) {
        return lastSystemError();
    }
    // Someone may have put something else under the name since it was looked at.
    if (fstat(opened.get(), &status) != 0) {
        return lastSystemError();
    }
    if (!S_ISREG(status.st_mode)) {
        return notPlain(S_ISDIR(status.st_mode));
    }
    const int statusFlags = fcntl(opened.get(), F_GETFL);
    if (statusFlags < 0 || fcntl(opened.get(), F_SETFL, statusFlags & ~O_NONBLOCK) != 0) {
        return lastSystemError();
    }
    return opened;
}

OpenedFile createExclusively(const std::filesystem::path& file, unsigned mode) {
    FileDescriptor created(open(file.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                static_cast<mode_t>(mode)));
    if (!created) {
        return lastSystemError();
    }
    return created;
}

FileDescriptor duplicateDescriptor(int descriptor) {
    return FileDescriptor(fcntl(descriptor, F_DUPFD_CLOEXEC, 0));
}

FileDescriptor openFolder(const std::filesystem::path& folder) {
    return FileDescriptor(
        open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

long readSome(int descriptor, ReadBuffer& buffer) {
    return read(descriptor, buffer.data(), buffer.size());
}
long writeSome(int descriptor, std::string_view bytes) {
    return write(descriptor, bytes.data(), bytes.size());
}
int syncDescriptor(int descriptor) {
    return fsync(descriptor);
}
int rewind(int descriptor) {
    return lseek(descriptor, 0, SEEK_SET) < 0 ? -1 : 0;
}
int truncateHere(int descriptor) {
    const off_t position = lseek(descriptor, 0, SEEK_CUR);
    return position < 0 ? -1 : ftruncate(descriptor, position);
}

}  // namespace quintara::files
