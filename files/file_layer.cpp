// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/file_layer.h"

#include <string>

namespace quintara::files {
namespace {

class FileLayerErrors final : public std::error_category {
public:
    const char* name() const noexcept override { return "quintara file layer"; }
    std::string message(int) const override { return "every name tried is taken"; }
};

// Why the file at `destination` must not be replaced, if it must not.
std::optional<FileFailure> refusal(const std::filesystem::path& destination,
                                   const FileFacts& facts) {
    switch (facts.kind) {
        case FileKind::Folder:
            return FileFailure{FileStep::RefuseFolder, destination};
        case FileKind::Special:
            return FileFailure{FileStep::RefuseSpecialFile, destination};
        case FileKind::Plain:
            if (facts.readOnly) {
                return FileFailure{FileStep::RefuseReadOnlyFile, destination};
            }
            return std::nullopt;
        case FileKind::Missing:
            return std::nullopt;
    }
    return std::nullopt;
}

// The new contents of the file, under whichever name it is saved: a name of its own or all of
// them at once.
std::optional<FileFailure> writeContents(FileLayer& files, const std::filesystem::path& destination,
                                         const FileFacts& facts, std::string_view contents) {
    if (isRewrittenInPlace(facts)) {
        return files.rewriteInPlace(destination, contents);
    }
    auto written = files.writeTemporaryFileBeside(destination, contents);
    if (auto* error = std::get_if<FileFailure>(&written)) {
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

std::error_code allNamesTaken() {
    static const FileLayerErrors category;
    return {1, category};
}

bool isRewrittenInPlace(const FileFacts& facts) {
    return facts.kind == FileKind::Plain && facts.hasOtherNames && !facts.inSharedFolder;
}

std::optional<FileFailure> writeFileAtomically(FileLayer& files,
                                               const std::filesystem::path& target,
                                               std::string_view contents) {
    auto followed = files.followLinks(target);
    if (auto* error = std::get_if<FileFailure>(&followed)) {
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

}  // namespace quintara::files
