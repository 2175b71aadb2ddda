// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/local_file_layer.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <vector>

#include "files/descriptor_input.h"
#include "files/file_attributes.h"
#include "files/file_descriptor.h"
#include "files/leftover_files.h"
#include "files/link_following.h"
#include "files/save_lock.h"
#include "files/temporary_file.h"

namespace quintara::files {
namespace {

// The mode is the user's default once the umask and any default ACL of the folder apply.
constexpr unsigned kEveryoneMayReadAndWrite = 0666;

// A save takes a fraction of a second: a file of a save an hour old belongs to no save still
// running, even on a network disk whose clock runs a few minutes apart from ours.
constexpr auto kLeftoverAge = std::chrono::hours(1);

}  // namespace

std::unique_ptr<std::istream> LocalFileLayer::openForInput(const std::filesystem::path& file) {
    const auto followed = followLinks(file);
    const auto* destination = std::get_if<std::filesystem::path>(&followed);
    if (destination == nullptr) {
        return nullptr;
    }
    auto opened = openPlainFile(*destination, Access::Read);
    auto* descriptor = std::get_if<FileDescriptor>(&opened);
    if (descriptor == nullptr) {
        return nullptr;
    }
    return std::make_unique<DescriptorInput>(std::move(*descriptor));
}

std::variant<std::filesystem::path, FileFailure> LocalFileLayer::followLinks(
    const std::filesystem::path& file) {
    return followLinksSafely(file);
}

FileFacts LocalFileLayer::inspect(const std::filesystem::path& file) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::symlink_status(file, error);
    if (fs::is_directory(status)) {
        return {FileKind::Folder};
    }
    if (!fs::is_regular_file(status)) {
        return {fs::exists(status) ? FileKind::Special : FileKind::Missing};
    }
    constexpr fs::perms kAnyWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    const std::uintmax_t names = fs::hard_link_count(file, error);
    return {FileKind::Plain, (status.permissions() & kAnyWrite) == fs::perms::none,
            !error && names > 1, isSharedFolder(file.parent_path())};
}

std::variant<std::filesystem::path, FileFailure> LocalFileLayer::writeTemporaryFileBeside(
    const std::filesystem::path& target, std::string_view contents) {
    // The old file is read from one descriptor, so that all it gives comes from the one file;
    // one that cannot be read cannot give what the user set on it either.
    auto opened = openPlainFile(target, Access::Read);
    const auto* old = std::get_if<FileDescriptor>(&opened);
    if (old == nullptr &&
        std::get<std::error_code>(opened) != std::errc::no_such_file_or_directory) {
        return FileFailure{FileStep::Open, target, std::get<std::error_code>(opened)};
    }
    // A file saved for the first time gets the user's default, as any new file. One that
    // replaces another is born open to its owner alone, and no further than the old one was: a
    // descriptor opened meanwhile would stay readable whatever the mode becomes.
    auto created = createFileBeside(
        target, old ? kOnlyTheOwner & permissionsOf(old->get()) : kEveryoneMayReadAndWrite);
    if (auto* error = std::get_if<std::error_code>(&created)) {
        return FileFailure{FileStep::CreateTemporaryFile, target, *error};
    }
    auto& [temporary, file] = std::get<TemporaryFile>(created);

    std::optional<FileFailure> failure;
    if (const std::error_code given =
            old ? giveAttributes(file.get(), old->get()) : std::error_code{}) {
        failure = FileFailure{FileStep::GiveAttributes, target, given};
    } else if (std::error_code written = writeAll(file.get(), contents);
               written || (written = forceToDisk(file.get()))) {
        failure = FileFailure{FileStep::WriteBeside, target, written};
    }
    if (const std::error_code closed = file.close(); closed && !failure) {
        failure = FileFailure{FileStep::FinishWritingBeside, target, closed};
    }
    if (failure) {
        removeFileQuietly(temporary);
        return *failure;
    }
    return temporary;
}

std::optional<FileFailure> LocalFileLayer::replace(const std::filesystem::path& from,
                                                   const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (error) {
        return FileFailure{FileStep::Replace, to, error};
    }
    forceFolderToDisk(to.parent_path());
    return std::nullopt;
}

void LocalFileLayer::removeFileQuietly(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(file, error);
    if (!error && !std::filesystem::is_directory(status) && std::filesystem::exists(status)) {
        std::filesystem::remove(file, error);
    }
}

void LocalFileLayer::removeLeftoversBeside(const std::filesystem::path& target) {
    const auto longAgo = std::filesystem::file_time_type::clock::now() - kLeftoverAge;
    for (const Leftover& leftover : leftovers_.nextLeftoversBeside(target)) {
        if (leftover.modified < longAgo) {
            removeFileQuietly(leftover.name);
        }
    }
}

std::variant<TemporaryFile, std::error_code> LocalFileLayer::createFileBeside(
    const std::filesystem::path& target, unsigned mode) {
    return createTemporaryFileBeside(target, mode);
}

std::error_code LocalFileLayer::writeAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const long written = writeSome(descriptor, bytes);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return written == 0 ? std::make_error_code(std::errc::no_space_on_device)
                                : lastSystemError();
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

std::error_code LocalFileLayer::forceToDisk(int descriptor) {
    return syncDescriptor(descriptor) == 0 ? std::error_code{} : lastSystemError();
}

std::filesystem::path LocalFileLayer::lockPlace() {
    return placeOfSaveLocks();
}

// Some file systems cannot force a folder to the disk; the file itself is in place by then, so
// that is not a failed save.
void LocalFileLayer::forceFolderToDisk(const std::filesystem::path& folder) {
    if (const FileDescriptor opened = openFolder(folder)) {
        forceToDisk(opened.get());
    }
}

}  // namespace quintara::files
