// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <system_error>

#include "files/file_layer.h"
#include "files/leftover_files.h"
#include "files/temporary_file.h"

namespace quintara::files {

// The machine's own file system. The rewrite in place and its undoing (rewriteInPlace,
// putBackInterruptedRewrite and their private helpers) are in in_place_rewrite.cpp.
class LocalFileLayer : public FileLayer {
public:
    std::unique_ptr<std::istream> openForInput(const std::filesystem::path& file) override;
    std::variant<std::filesystem::path, FileFailure> followLinks(
        const std::filesystem::path& file) override;
    FileFacts inspect(const std::filesystem::path& file) override;
    std::variant<std::filesystem::path, FileFailure> writeTemporaryFileBeside(
        const std::filesystem::path& target, std::string_view contents) override;
    std::optional<FileFailure> replace(const std::filesystem::path& from,
                                       const std::filesystem::path& to) override;
    std::optional<FileFailure> rewriteInPlace(const std::filesystem::path& target,
                                              std::string_view contents) override;
    void removeFileQuietly(const std::filesystem::path& file) override;
    void removeLeftoversBeside(const std::filesystem::path& target) override;
    bool putBackInterruptedRewrite(const std::filesystem::path& target,
                                   const WholeCheck& readsWhole) override;

protected:
    // Where every file of a save is born, as createTemporaryFileBeside makes it: kept apart so
    // that tests can see who may open it at that moment.
    virtual std::variant<TemporaryFile, std::error_code> createFileBeside(
        const std::filesystem::path& target, unsigned mode);
    // The two steps of every write, kept apart so that tests can watch them and make them fail:
    // all of the bytes, from the file's current position; then forcing the file (or a folder) to
    // the disk.
    virtual std::error_code writeAll(int descriptor, std::string_view bytes);
    virtual std::error_code forceToDisk(int descriptor);
    // Where the folder of the user's save locks is made (placeOfSaveLocks), asked at each save
    // since the session's folder comes and goes; tests keep their locks to themselves.
    virtual std::filesystem::path lockPlace();

private:
    // A rename or a new name is only lasting once the folder holding it is on the disk too.
    void forceFolderToDisk(const std::filesystem::path& folder);
    // The rest of `from`, from its current position, written at the current position of `to`.
    std::error_code copyContents(int from, int to);
    // `bytes` from the start of the file, which ends with them, forced to the disk.
    std::error_code overwrite(int descriptor, std::string_view bytes);
    // The whole of `copy` from the start of the file, which ends with it, forced to the disk.
    std::error_code overwriteFromCopy(int descriptor, int copy);

    LeftoverSearch leftovers_;
};

}  // namespace quintara::files
