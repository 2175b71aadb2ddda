// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/file_attributes.h"

#include <sys/stat.h>

#include <cerrno>
#include <string_view>

#include "platform/file_descriptor.h"

#ifndef _WIN32
#include <sys/xattr.h>
#include <unistd.h>
#endif

namespace quintara::platform {

#ifdef _WIN32

// Windows keeps a file's security descriptor apart from its permission bits; not copied here.
std::optional<FileAttributes> attributesOf(const std::filesystem::path&) {
    return std::nullopt;
}

std::error_code giveAttributes(int, const FileAttributes&) {
    return {};
}

#else

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
    // Before the permissions, since a change of owner clears the set-user and set-group bits.
    if (fchown(descriptor, attributes.owner, attributes.group) != 0 &&
        fchown(descriptor, static_cast<uid_t>(-1), attributes.group) != 0) {
        // Only root may give a file away, and only members may give it to a group: the new file
        // stays the user's, which is no reason to fail the save.
    }
    if (fchmod(descriptor, static_cast<mode_t>(attributes.permissions)) != 0) {
        return lastSystemError();
    }
    for (const auto& [name, value] : attributes.extended) {
        if (fsetxattr(descriptor, name.c_str(), value.data(), value.size(), 0) != 0 &&
            name == kAccessControlList && errno != ENOTSUP) {
            return lastSystemError();
        }
    }
    return {};
}

#endif

}  // namespace quintara::platform
