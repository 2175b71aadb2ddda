// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace quintara::platform {

// What the user set on a file besides its contents, which a file that replaces it must keep:
// the permissions, the owner and the group, and the extended attributes (the access control
// list, security labels, notes the desktop keeps).
struct FileAttributes {
    unsigned permissions = 0;
    unsigned owner = 0;
    unsigned group = 0;
    std::vector<std::pair<std::string, std::string>> extended;
};

// Those of the plain file `file`, not following a link at its name; nothing when there is none.
std::optional<FileAttributes> attributesOf(const std::filesystem::path& file);

// Gives them to a file this program has just created open to its owner alone, the permissions
// last. The owner and the group are kept where the system lets the user (the group where the
// user belongs to it, the owner only for root); an extended attribute the file system cannot
// hold, or that only the system may set, is left out, and so is anything a file system has no
// place for at all (a FAT stick keeps no permissions). The error is that of the permissions or
// of the access control list, which must be kept: without its list a file is open to its group
// with the list's widest rights, and with a list the folder gave it, to people the old one was
// not.
std::error_code giveAttributes(int descriptor, const FileAttributes& attributes);

}  // namespace quintara::platform
