// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/temporary_file.h"

#include <random>
#include <string>
#include <string_view>

namespace quintara::platform {
namespace {

constexpr int kMostNamesTried = 100;

// Twelve letters or digits from the system's entropy: about 71 bits.
std::string unforeseeableSuffix() {
    static constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device entropy;
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    std::string suffix(12, ' ');
    for (char& letter : suffix) {
        letter = kAlphabet[pick(entropy)];
    }
    return suffix;
}

}  // namespace

std::variant<TemporaryFile, std::error_code> createTemporaryFileBeside(
    const std::filesystem::path& target, unsigned mode) {
    std::error_code error;
    for (int tried = 0; tried < kMostNamesTried; ++tried) {
        std::filesystem::path name = target;
        name += "." + unforeseeableSuffix() + ".tmp";
        auto created = createExclusively(name, mode);
        if (auto* file = std::get_if<FileDescriptor>(&created)) {
            return TemporaryFile{std::move(name), std::move(*file)};
        }
        error = std::get<std::error_code>(created);
        if (error != std::errc::file_exists) {
            break;
        }
    }
    return error;
}

}  // namespace quintara::platform
