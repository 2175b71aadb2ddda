// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <system_error>
#include <variant>

#include "files/file_descriptor.h"

namespace quintara::files {

// A save's hold on one file against the user's other saves of it, given up when this goes. Its
// lock file goes too, removed while still held, so that the user's lock folder does not keep one
// file for every file ever saved.
class SaveLock {
public:
    // Holds nothing: where no lock can be had, the save goes on without.
    SaveLock() = default;
    SaveLock(std::filesystem::path name, FileDescriptor held);
    SaveLock(SaveLock&&) noexcept = default;
    SaveLock& operator=(SaveLock&&) = delete;
    ~SaveLock();

    bool holds() const { return static_cast<bool>(held_); }

private:
    std::filesystem::path name_;
    FileDescriptor held_;
};

// Where the folder of the user's locks is made: the session's folder the system gives the user
// (/run/user/<user number>) while there is one, or else /tmp. Never what the environment says
// ($XDG_RUNTIME_DIR, $TMPDIR), which differs between copies of the program started from a
// desktop, a terminal or a timer: they would lock different files and write the same one at once.
std::filesystem::path placeOfSaveLocks();

// Takes the open file `descriptor` for this user's saves alone, against the user's other copies of
// the program, without ever waiting: fails with "operation would block" while another save holds
// it, for a save that takes a fraction of a second and is best tried again. Where no lock can be
// had (no private folder for it, a file system that locks nothing), the lock holds nothing and the
// save goes on.
//
// The lock is not the file itself, which anyone who may read it could lock too and so hold every
// save up, but a file standing for it in a folder only the user may open, `quintara-<user number>`
// in `place`; a folder of that name that others may open, or that is not the user's, is not used.
std::variant<SaveLock, std::error_code> lockForWriting(int descriptor,
                                                       const std::filesystem::path& place);

}  // namespace quintara::files
