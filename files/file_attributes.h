// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <system_error>

namespace quintara::files {

// The permission bits of the open file; none when they cannot be read.
unsigned permissionsOf(int descriptor);

// Gives a file this program has just created open to its owner alone what the user set on the
// open file `from` besides its contents: first the owner and the group, then the extended
// attributes (security labels, notes the desktop keeps), then the access control list, the
// permissions last. The owner and the group are kept where the system lets the user (the group
// where the user belongs to it, the owner only for root); an extended attribute the file system
// cannot hold, that only the system may set or that /etc/xattr.conf says not to copy is left out,
// and so is anything a file system has no place for at all (a FAT stick keeps no permissions).
// The error is that of the permissions or of the access control list, which must be kept: without
// its list a file is open to its group with the list's widest rights, and with a list the folder
// gave it, to people the old one was not.
std::error_code giveAttributes(int descriptor, int from);

}  // namespace quintara::files
