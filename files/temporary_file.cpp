// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/temporary_file.h"

#include <random>
#include <string>
#include <string_view>

namespace quintara::files {
namespace {

constexpr int kMostNamesTried = 100;
constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kLetters = 12;
constexpr std::string_view kEnding = ".tmp";

// Twelve letters or digits from the system's entropy: about 71 bits.
std::string unforeseeableSuffix() {
    std::random_device entropy;
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    std::string suffix(kLetters, ' ');
    for (char& letter : suffix) {
        letter = kAlphabet[pick(entropy)];
    }
    return suffix;
}

}  // namespace

std::variant<TemporaryFile, std::error_code> createTemporaryFileBeside(
    const std::filesystem::path& target, unsigned mode, const Suffixes& suffixes) {
    for (int tried = 0; tried < kMostNamesTried; ++tried) {
        std::filesystem::path name = target;
        name += "." + (suffixes ? suffixes() : unforeseeableSuffix()) + std::string(kEnding);
        auto created = createExclusively(name, mode);
        if (auto* file = std::get_if<FileDescriptor>(&created)) {
            return TemporaryFile{std::move(name), std::move(*file)};
        }
        if (const auto error = std::get<std::error_code>(created);
            error != std::errc::file_exists) {
            return error;
        }
    }
    return allNamesTaken();
}

bool isTemporaryFileName(const std::filesystem::path& target, const std::string& name) {
    const std::string start = target.filename().string() + ".";
    if (name.size() != start.size() + kLetters + kEnding.size() || !name.starts_with(start) ||
        !name.ends_with(kEnding)) {
        return false;
    }
    const std::string_view letters = std::string_view(name).substr(start.size(), kLetters);
    return letters.find_first_not_of(kAlphabet) == std::string_view::npos;
}

}  // namespace quintara::files
