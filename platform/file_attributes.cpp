// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/file_attributes.h"

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "platform/file_descriptor.h"

namespace quintara::platform {

namespace {

constexpr std::string_view kAccessControlList = "system.posix_acl_access";

// The bytes a size-then-fill call gives (a list of names, a value), asked again if they grew in
// between; nothing when the call fails.
template <typename Call>
std::optional<std::string> sizedBytes(Call call) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        const ssize_t needed = call(nullptr, 0);
        if (needed < 0) {
            return std::nullopt;
        }
        std::string bytes(static_cast<std::size_t>(needed), '\0');
        const ssize_t got = call(bytes.data(), bytes.size());
        if (got >= 0) {
            bytes.resize(static_cast<std::size_t>(got));
            return bytes;
        }
        if (errno != ERANGE) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::vector<std::pair<std::string, std::string> > extendedAttributesOf(
    const std::filesystem::path& file) {
    std::vector<std::pair<std::string, std::string> > found;
    const auto names = sizedBytes(
        [&](char* buffer, std::size_t size) { return llistxattr(file.c_str(), buffer, size); });
    if (!names) {
        return found;
    }
    for (std::size_t start = 0; start < names->size();) {
        const std::size_t end = names->find('\0', start);
        const std::string name = names->substr(start, end - start);
        start = end == std::string::npos ? names->size() : end + 1;
        const auto value = sizedBytes([&](char* buffer, std::size_t size) {
            return lgetxattr(file.c_str(), name.c_str(), buffer, size);
        });
        if (!name.empty() && value) {
            found.emplace_back(name, *value);
        }
    }
    return found;
}

// A file system with no place at all for a mode, an owner or an access list (FAT) says so with
// these; one that has a place but refuses says something else, and the save fails.
bool cannotHold(int error) {
#if ENOTSUP != EOPNOTSUPP
    if (error == ENOTSUP) {
        return true;
    }
#endif
    return error == ENOSYS || error == EOPNOTSUPP;
}

std::error_code errorUnlessNotHeld() {
    return cannotHold(errno) ? std::error_code{} : lastSystemError();
}

// The old file's access list, or none at all: a list the folder's default gave the new file
// would, once the rights are given, let in people the old file did not.
std::error_code giveAccessControlList(int descriptor, const std::string* list) {
    const char* name = kAccessControlList.data();
    if (list != nullptr ? fsetxattr(descriptor, name, list->data(), list->size(), 0) == 0
                        : fremovexattr(descriptor, name) == 0 || errno == ENODATA) {
        return {};
    }
    return errorUnlessNotHeld();
}

}  // namespace

std::optional<FileAttributes> attributesOf(const std::filesystem::path& file) {
    struct stat status = {};
    if (lstat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return FileAttributes{status.st_mode & 07777U, status.st_uid, status.st_gid,
                          extendedAttributesOf(file)};
}

std::error_code giveAttributes(int descriptor, const FileAttributes& attributes) {
    // First whose the file is, so that the rights given next go to the people they were meant
    // for; a change of owner also clears the set-user and set-group bits given last.
    if (fchown(descriptor, attributes.owner, attributes.group) != 0 &&
        fchown(descriptor, static_cast<uid_t>(-1), attributes.group) != 0) {
        // Only root may give a file away, and only members may give it to a group: the new file
        // stays the user's, which is no reason to fail the save.
    }
    const std::string* accessControlList = nullptr;
    for (const auto& [name, value] : attributes.extended) {
        if (name == kAccessControlList) {
            accessControlList = &value;
        } else if (fsetxattr(descriptor, name.c_str(), value.data(), value.size(), 0) != 0) {
            // A note or a label the file system cannot hold, or that only the system may set.
        }
    }
    if (const std::error_code error = giveAccessControlList(descriptor, accessControlList)) {
        return error;
    }
    // The rights last: until now the file was open to its owner alone.
    if (fchmod(descriptor, static_cast<mode_t>(attributes.permissions)) != 0) {
        return errorUnlessNotHeld();
    }
    return {};
}

}  // namespace quintara::platform
