// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/file_layer.h"

namespace quintara::platform {
namespace {

// Why the file at `destination` must not be replaced, if it must not.
std::optional<IoError> refusal(const std::filesystem::path& destination, const FileFacts& facts) {
    const std::string name = destination.filename().string();
    switch (facts.kind) {
        case FileKind::Folder:
            return IoError{"al posto del file " + name + " c'è una cartella"};
        case FileKind::Special:
            return IoError{name + " non è un file normale"};
        case FileKind::Plain:
            if (facts.readOnly) {
                return IoError{"il file " + name + " è di sola lettura"};
            }
            return std::nullopt;
        case FileKind::Missing:
            return std::nullopt;
    }
    return std::nullopt;
}

// The new contents of the file, under whichever name it is saved: a name of its own or all of
// them at once.
std::optional<IoError> writeContents(FileLayer& files, const std::filesystem::path& destination,
                                     const FileFacts& facts, std::string_view contents) {
    if (isRewrittenInPlace(facts)) {
        return files.rewriteInPlace(destination, contents);
    }
    auto written = files.writeTemporaryFileBeside(destination, contents);
    if (auto* error = std::get_if<IoError>(&written)) {
        return *error;
    }
    const auto& temporary = std::get<std::filesystem::path>(written);
    if (auto error = files.replace(temporary, destination)) {
        files.removeFileQuietly(temporary);
        return error;
    }
    return std::nullopt;
}

}  // namespace

bool isRewrittenInPlace(const FileFacts& facts) {
    return facts.kind == FileKind::Plain && facts.hasOtherNames && !facts.inSharedFolder;
}

std::optional<IoError> writeFileAtomically(FileLayer& files, const std::filesystem::path& target,
                                           std::string_view contents) {
    auto followed = files.followLinks(target);
    if (auto* error = std::get_if<IoError>(&followed)) {
        return *error;
    }
    const auto& destination = std::get<std::filesystem::path>(followed);

    const FileFacts facts = files.inspect(destination);
    if (auto refused = refusal(destination, facts)) {
        return refused;
    }
    if (auto error = writeContents(files, destination, facts, contents)) {
        return error;
    }
    files.removeLeftoversBeside(destination);
    return std::nullopt;
}

}  // namespace quintara::platform
