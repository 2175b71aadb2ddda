// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <map>
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
// has more, is never taken for one. Reads the whole folder: for the rare case of a file that no
// longer reads whole.
std::vector<Leftover> leftoversBeside(const std::filesystem::path& target);

// The names a search for leftovers reads at a time, a few getdents calls' worth.
inline constexpr int kNamesReadAtATime = 1000;

// Looks for leftovers a few names at a time, each time where the last look stopped, and from the
// start again once a folder has been read to its end: a save that looks costs the same in a
// folder of a hundred thousand names as in an empty one, and what earlier saves left there is
// still found, a few saves later. Folders may be shared, with no end of names in them.
class LeftoverSearch {
public:
    // The leftovers of `target` among the next kNamesReadAtATime names of its folder.
    std::vector<Leftover> nextLeftoversBeside(const std::filesystem::path& target);

private:
    // Where the next look goes on in each folder, as the system gives it (telldir).
    std::map<std::filesystem::path, long> resumeAt_;
};

}  // namespace quintara::files
