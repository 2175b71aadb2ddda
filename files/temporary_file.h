// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <variant>

#include "files/file_descriptor.h"
#include "files/file_layer.h"

namespace quintara::files {

// The mode of a file of a save that holds what only its owner may see.
inline constexpr unsigned kOnlyTheOwner = 0600;

struct TemporaryFile {
    std::filesystem::path name;
    FileDescriptor file;
};

// A new file in the folder of `target`, open for reading and writing, named
// "<target>.<12 random letters>.tmp": a name nobody can foresee to plant a link or a file there
// beforehand, and that collides with nothing a crash left behind. `mode` as for
// createExclusively. Gives up with allNamesTaken() when every name it tried is taken;
// `suffixes` stands in for the random letters in tests.
using Suffixes = std::function<std::string()>;
std::variant<TemporaryFile, std::error_code> createTemporaryFileBeside(
    const std::filesystem::path& target, unsigned mode, const Suffixes& suffixes = {});

// Whether `name` is one createTemporaryFileBeside could give a file beside `target`.
bool isTemporaryFileName(const std::filesystem::path& target, const std::string& name);

}  // namespace quintara::files
