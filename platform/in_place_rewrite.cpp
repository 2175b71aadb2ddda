// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Rewriting a file in place, for a file with several names: a rename would give the new
// contents to one name only.

#include <cerrno>
#include <memory>

#include "platform/file_descriptor.h"
#include "platform/local_file_layer.h"
#include "platform/temporary_file.h"

namespace quintara::platform {

std::optional<IoError> LocalFileLayer::rewriteInPlace(const std::filesystem::path& target,
                                                      std::string_view contents) {
    auto opened = openPlainFile(target, Access::ReadAndWrite);
    if (auto* error = std::get_if<std::error_code>(&opened)) {
        return ioFailure("impossibile aprire", target, *error);
    }
    const FileDescriptor file = std::move(std::get<FileDescriptor>(opened));
    // Two programs writing one file in place at once could leave a mix of both.
    if (lockForWriting(file.get()) != 0) {
        return ioFailure("impossibile scrivere", target, lastSystemError());
    }

    // The copy holds the old contents, whoever may read the file itself.
    auto created = createFileBeside(target, kOnlyTheOwner);
    if (auto* error = std::get_if<std::error_code>(&created)) {
        return ioFailure("impossibile creare un file temporaneo accanto a", target, *error);
    }
    const auto& [copyName, copy] = std::get<TemporaryFile>(created);
    std::error_code copied = copyContents(file.get(), copy.get());
    if (copied || (copied = forceToDisk(copy.get()))) {
        removeFileQuietly(copyName);
        return ioFailure("impossibile mettere da parte il contenuto di", target, copied);
    }
    forceFolderToDisk(copyName.parent_path());

    const std::error_code written = overwrite(file.get(), contents);
    if (!written) {
        removeFileQuietly(copyName);
        return std::nullopt;
    }
    IoError failure = ioFailure("impossibile scrivere", target, written);
    if (overwriteFromCopy(file.get(), copy.get())) {
        failure.reason += "; il contenuto di prima è in " + copyName.filename().string();
    } else {
        removeFileQuietly(copyName);
    }
    return failure;
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

}  // namespace quintara::platform
