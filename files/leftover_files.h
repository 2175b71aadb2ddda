// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <vector>

namespace quintara::files {

// A file that a save of a file cut short (by a crash, a kill, a power cut) may have left beside
// it: a temporary file that never took the file's place, or the copy of the old contents that a
// rewrite in place makes first.
struct Leftover {
    std::filesystem::path name;
    std::filesystem::file_time_type modified;
    // Open to nobody but its owner, as the copy of a rewrite in place is made.
    bool onlyTheOwnerMayOpen = false;
};

// The plain files beside `target` named as this program names the temporary files of `target`,
// that have no other name and are the user's own: another user's file, or a name of a file that
// has more, is never taken for one.
std::vector<Leftover> leftoversBeside(const std::filesystem::path& target);

}  // namespace quintara::files
