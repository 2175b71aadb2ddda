// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <variant>

#include "files/file_layer.h"

namespace quintara::files {

// The file that `file` names, reached by following every symbolic link on the way, each read
// from the folder it lies in: a path with no link left in it, whose last name need not exist.
//
// In a folder that anyone may write to and that has the sticky bit (/tmp, a shared folder), a
// link is followed only when it belongs to the user or to the folder's owner: otherwise another
// user could plant one there that leads the save onto one of the user's own files. The kernel
// applies the same rule only where fs.protected_symlinks is on; this applies it everywhere.
std::variant<std::filesystem::path, FileFailure> followLinksSafely(
    const std::filesystem::path& file);

// A folder anyone may write to that has the sticky bit, where the rule above applies.
bool isSharedFolder(const std::filesystem::path& folder);

}  // namespace quintara::files
