// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>
#include <variant>

namespace quintara::files {

// The step of a save that failed; the first four are refusals, before anything is written.
enum class FileStep {
    RefuseFolder,
    RefuseSpecialFile,
    RefuseReadOnlyFile,
    // A link another user planted in a shared folder, which could lead the save anywhere.
    RefuseAnotherUsersLink,
    FollowLink,
    Open,
    CreateTemporaryFile,
    GiveAttributes,
    WriteBeside,
    FinishWritingBeside,
    Replace,
    // The copy of the old contents that a rewrite in place makes first.
    SetOldContentsAside,
    WriteInPlace,
};

// What failed: the step, the file it was about and the system's error (none for a refusal).
// The words for the user are chosen where the failure is shown.
struct FileFailure {
    FileStep step = FileStep::Open;
    std::filesystem::path file = {};
    std::error_code error = {};
    // Where the old contents are, when a write in place failed and undoing it failed too.
    std::filesystem::path oldContentsIn = {};

    friend bool operator==(const FileFailure&, const FileFailure&) = default;
};

// An error of this program's own, not the system's: every name tried for a temporary file was
// taken.
std::error_code allNamesTaken();

// What lies at a name, not following a link there.
enum class FileKind { Missing, Plain, Folder, Special };

struct FileFacts {
    FileKind kind = FileKind::Missing;
    // A plain file without a single write permission bit: the user marked it so.
    bool readOnly = false;
    // A plain file with another name (a hard link) that must go on showing the same contents.
    bool hasOtherNames = false;
    // In a folder anyone may write to, with the sticky bit (/tmp, a shared folder).
    bool inSharedFolder = false;
};

// Whether a file with these facts is written in place: see writeFileAtomically.
bool isRewrittenInPlace(const FileFacts& facts);

// Reads a file from its start; true when it holds all that a whole file of its kind holds.
using WholeCheck = std::function<bool(std::istream&)>;

// The few file operations the settings file needs, behind an interface so that tests can make
// any step fail.
class FileLayer {
public:
    virtual ~FileLayer() = default;

    // Nothing when the file cannot be read: missing, no permission, a link that followLinks
    // refuses, or not a plain file (a named pipe, a socket, a device, a folder), which is never
    // waited on.
    virtual std::unique_ptr<std::istream> openForInput(const std::filesystem::path& file) = 0;

    // The file that saving `file` must replace: `file` itself, or, when links lead elsewhere,
    // the file at the end of them, which need not exist yet. Links another user planted in a
    // shared folder are refused.
    virtual std::variant<std::filesystem::path, FileFailure> followLinks(
        const std::filesystem::path& file) = 0;

    // What lies at `file`, which followLinks has already followed.
    virtual FileFacts inspect(const std::filesystem::path& file) = 0;

    // Creates a file in the folder of `target` under a name nobody can foresee, never over an
    // existing file or through a link; gives it what the user set on `target` (permissions,
    // owner and group where allowed, access control list and other extended attributes; the
    // user's default when there is no `target` yet), writes the contents and forces them to the
    // disk. Returns its path; on failure it leaves nothing behind.
    virtual std::variant<std::filesystem::path, FileFailure> writeTemporaryFileBeside(
        const std::filesystem::path& target, std::string_view contents) = 0;

    // Renames `from` over `to` in one step, so that `to` is either the old file or the new one,
    // and forces the folder's change to the disk.
    virtual std::optional<FileFailure> replace(const std::filesystem::path& from,
                                               const std::filesystem::path& to) = 0;

    // Overwrites the plain file `target` itself, so that every name it has shows the contents.
    // A copy of its old contents is put beside it and forced to the disk first; a write that
    // fails is undone from the copy, and the copy is removed, unless undoing failed too: then
    // it is kept, and the error names it.
    virtual std::optional<FileFailure> rewriteInPlace(const std::filesystem::path& target,
                                                      std::string_view contents) = 0;

    // Removes a file; never a directory. Failures are ignored.
    virtual void removeFileQuietly(const std::filesystem::path& file) = 0;

    // Removes what saves of `target` cut short by a crash, a kill or a power cut left beside
    // it, once they are old enough that no save still running can own them: their temporary
    // files and the copies of rewrites in place. Only the user's own plain files with one name
    // and a name this program gives them are taken. Failures are ignored. A few of the folder's
    // names are read each time, where the last look stopped, so that a folder crowded with names
    // costs a save no more than an empty one.
    virtual void removeLeftoversBeside(const std::filesystem::path& target) = 0;

    // For the plain file `target` with other names, which a rewrite in place cut short may have
    // left damaged: when it does not read whole, and exactly one copy that rewrite left beside
    // it does, writes the copy back into it and removes the copy. Anything less certain is left
    // as it is. True when the copy was put back.
    virtual bool putBackInterruptedRewrite(const std::filesystem::path& target,
                                           const WholeCheck& readsWhole) = 0;
};

// Writes the contents to a new temporary file beside the target and renames it over the target,
// so that whatever fails, the target holds either its old bytes or the new ones, never a mix,
// and no file of this save is left behind. A target that is a symbolic link stays one: the file
// it leads to is the one replaced, and keeps what the user set on it. Saves running at the same
// time each use their own temporary file, so the target ends up whole, as one of them wrote it.
//
// A save that succeeds then removes what earlier saves of the target cut short left beside it.
//
// Refused, touching nothing: a target that is not a plain file, and one marked read-only. A
// target with other names is rewritten in place instead (see FileLayer::rewriteInPlace): there a
// crash part-way can leave a mix, with a copy of the old contents beside it. Not in a shared
// folder, though, where the other name may be another user's doing, made to lead the save onto
// one of the user's own files.
std::optional<FileFailure> writeFileAtomically(FileLayer& files,
                                               const std::filesystem::path& target,
                                               std::string_view contents);

}  // namespace quintara::files
