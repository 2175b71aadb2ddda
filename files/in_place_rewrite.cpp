// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Rewriting a file in place, for a file with several names: a rename would give the new
// contents to one name only. And putting the old contents back when such a rewrite was cut short.

#include <cerrno>
#include <chrono>
#include <memory>
#include <optional>

#include "files/descriptor_input.h"
#include "files/file_descriptor.h"
#include "files/leftover_files.h"
#include "files/local_file_layer.h"
#include "files/save_lock.h"
#include "files/temporary_file.h"

namespace quintara::files {
namespace {

// The copy is forced to the disk just before the file is written: a file written more than a
// minute after a copy was not written by the rewrite that made it, but later, by someone else.
constexpr auto kMostTimeFromCopyToWrite = std::chrono::minutes(1);

// Reads the open file from its start, leaving `descriptor` open.
bool holdsWhole(int descriptor, const WholeCheck& readsWhole) {
    FileDescriptor reading = duplicateDescriptor(descriptor);
    if (!reading || rewind(reading.get()) != 0) {
        return false;
    }
    DescriptorInput input(std::move(reading));
    return readsWhole(input);
}

// The copy of the old contents that a rewrite in place of `file` cut short left beside it: open
// to its owner alone, as such a copy is made, made at most a minute before the file was last
// written, and whole. Nothing when no leftover is all of that, or when more than one is.
std::optional<TemporaryFile> copyOfInterruptedRewrite(const std::filesystem::path& file,
                                                      const WholeCheck& readsWhole) {
    std::error_code error;
    const auto written = std::filesystem::last_write_time(file, error);
    if (error) {
        return std::nullopt;
    }
    std::optional<TemporaryFile> found;
    for (const Leftover& leftover : leftoversBeside(file)) {
        if (!leftover.onlyTheOwnerMayOpen || leftover.modified > written ||
            written - leftover.modified > kMostTimeFromCopyToWrite) {
            continue;
        }
        auto opened = openPlainFile(leftover.name, Access::Read);
        auto* copy = std::get_if<FileDescriptor>(&opened);
        if (copy == nullptr || !holdsWhole(copy->get(), readsWhole)) {
            continue;
        }
        if (found) {
            return std::nullopt;
        }
        found = TemporaryFile{leftover.name, std::move(*copy)};
    }
    return found;
}

}  // namespace

std::optional<FileFailure> LocalFileLayer::rewriteInPlace(const std::filesystem::path& target,
                                                          std::string_view contents) {
    auto opened = openPlainFile(target, Access::ReadAndWrite);
    if (auto* error = std::get_if<std::error_code>(&opened)) {
        return FileFailure{FileStep::Open, target, *error};
    }
    const FileDescriptor file = std::move(std::get<FileDescriptor>(opened));
    // Two programs writing one file in place at once could leave a mix of both.
    const auto lock = lockForWriting(file.get(), lockPlace());
    if (const auto* error = std::get_if<std::error_code>(&lock)) {
        return FileFailure{FileStep::WriteInPlace, target, *error};
    }

    // The copy holds the old contents, whoever may read the file itself.
    auto created = createFileBeside(target, kOnlyTheOwner);
    if (auto* error = std::get_if<std::error_code>(&created)) {
        return FileFailure{FileStep::CreateTemporaryFile, target, *error};
    }
    const auto& [copyName, copy] = std::get<TemporaryFile>(created);
    std::error_code copied = copyContents(file.get(), copy.get());
    if (copied || (copied = forceToDisk(copy.get()))) {
        removeFileQuietly(copyName);
        return FileFailure{FileStep::SetOldContentsAside, target, copied};
    }
    forceFolderToDisk(copyName.parent_path());

    const std::error_code written = overwrite(file.get(), contents);
    if (!written) {
        removeFileQuietly(copyName);
        return std::nullopt;
    }
    FileFailure failure{FileStep::WriteInPlace, target, written};
    if (overwriteFromCopy(file.get(), copy.get())) {
        failure.oldContentsIn = copyName;
    } else {
        removeFileQuietly(copyName);
    }
    return failure;
}

bool LocalFileLayer::putBackInterruptedRewrite(const std::filesystem::path& target,
                                               const WholeCheck& readsWhole) {
    const auto followed = followLinks(target);
    const auto* destination = std::get_if<std::filesystem::path>(&followed);
    if (destination == nullptr) {
        return false;
    }
    // A file marked read-only since stays as it is, as it would for a save.
    const FileFacts facts = inspect(*destination);
    if (!isRewrittenInPlace(facts) || facts.readOnly) {
        return false;
    }
    auto opened = openPlainFile(*destination, Access::ReadAndWrite);
    auto* file = std::get_if<FileDescriptor>(&opened);
    if (file == nullptr) {
        return false;
    }
    // Under the lock no rewrite is under way, so a file that reads whole now needs nothing.
    const auto lock = lockForWriting(file->get(), lockPlace());
    if (std::holds_alternative<std::error_code>(lock) || holdsWhole(file->get(), readsWhole)) {
        return false;
    }
    const auto copy = copyOfInterruptedRewrite(*destination, readsWhole);
    if (!copy || overwriteFromCopy(file->get(), copy->file.get())) {
        return false;
    }
    removeFileQuietly(copy->name);
    return true;
}

std::error_code LocalFileLayer::copyContents(int from, int to) {
    auto buffer = std::make_unique<ReadBuffer>();
    for (;;) {
        const long received = readSome(from, *buffer);
        if (received < 0 && errno == EINTR) {
            continue;
        }
        if (received <= 0) {
            return received == 0 ? std::error_code{} : lastSystemError();
        }
        const std::string_view bytes(buffer->data(), static_cast<std::size_t>(received));
        if (const std::error_code written = writeAll(to, bytes)) {
            return written;
        }
    }
}

std::error_code LocalFileLayer::overwrite(int descriptor, std::string_view bytes) {
    if (rewind(descriptor) != 0) {
        return lastSystemError();
    }
    if (const std::error_code written = writeAll(descriptor, bytes)) {
        return written;
    }
    return truncateHere(descriptor) == 0 ? forceToDisk(descriptor) : lastSystemError();
}

std::error_code LocalFileLayer::overwriteFromCopy(int descriptor, int copy) {
    if (rewind(descriptor) != 0 || rewind(copy) != 0) {
        return lastSystemError();
    }
    if (const std::error_code copied = copyContents(copy, descriptor)) {
        return copied;
    }
    return truncateHere(descriptor) == 0 ? forceToDisk(descriptor) : lastSystemError();
}

}  // namespace quintara::files
