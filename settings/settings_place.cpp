// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/settings_place.h"

#include <istream>
#include <string>
#include <system_error>

#include "settings/settings_file.h"

namespace quintara::settings {
namespace {

// Far more than fourteen lines of any settings file the program wrote; a larger file in the home
// folder is no settings file of ours to carry along.
constexpr std::size_t kMostBytesCopied = 64 * 1024;

bool nothingAt(const std::filesystem::path& name) {
    std::error_code error;
    return std::filesystem::symlink_status(name, error).type() ==
           std::filesystem::file_type::not_found;
}

void copyOnce(files::FileLayer& files, const std::filesystem::path& from,
              const std::filesystem::path& to) {
    if (!nothingAt(to)) {
        return;
    }
    const auto input = files.openForInput(from);
    if (!input) {
        return;
    }
    std::string bytes(kMostBytesCopied + 1, '\0');
    input->read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(input->gcount()));
    if (bytes.size() <= kMostBytesCopied) {
        files::writeFileAtomically(files, to, bytes);
    }
}

}  // namespace

std::filesystem::path settingsFileInConfigFolder(files::FileLayer& files,
                                                 const std::filesystem::path& configFolder,
                                                 const std::filesystem::path& homeFolder) {
    const std::filesystem::path file = configFolder / kSettingsFileName;
    std::error_code error;
    std::filesystem::create_directories(configFolder, error);
    if (!error) {
        copyOnce(files, homeFolder / kSettingsFileName, file);
    }
    return file;
}

}  // namespace quintara::settings
