// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "program/user_options.h"

#include <cstdio>
#include <cstdlib>

#include "command_line/config_folder.h"
#include "settings/settings_file.h"
#include "settings/settings_place.h"

namespace quintara::program {
namespace {

// An options file is a few lines; past this, the rest is not read.
constexpr std::size_t kMostOptionsFileBytes = 64 * 1024;

std::string_view environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string_view() : std::string_view(value);
}

// Nothing when there is no such file, or it cannot be read (a pipe there is never waited on).
std::string readAtMost(files::FileLayer& files, const std::filesystem::path& file) {
    const auto input = files.openForInput(file);
    if (!input) {
        return {};
    }
    std::string contents(kMostOptionsFileBytes, '\0');
    input->read(contents.data(), static_cast<std::streamsize>(contents.size()));
    contents.resize(static_cast<std::size_t>(input->gcount()));
    return contents;
}

}  // namespace

std::variant<command_line::StartReading, command_line::Ending> readUserOptions(
    const std::vector<std::string>& arguments, files::FileLayer& files) {
    const auto folder =
        command_line::programConfigFolder(environment("XDG_CONFIG_HOME"), environment("HOME"));
    if (!folder) {
        return command_line::readStartOptions(arguments, {}, {});
    }
    const auto file = *folder / command_line::kOptionsFileName;
    return command_line::readStartOptions(arguments, readAtMost(files, file), file.string());
}

std::filesystem::path settingsFileOfThisRun(const command_line::StartOptions& options,
                                            files::FileLayer& files) {
    if (!options.settingsInConfigFolder) {
        return settings::kSettingsFileName;
    }
    const auto folder =
        command_line::programConfigFolder(environment("XDG_CONFIG_HOME"), environment("HOME"));
    if (!folder) {
        std::fputs(
            "quintara: né XDG_CONFIG_HOME né HOME indicano una cartella: le condizioni "
            "restano nella cartella corrente\n",
            stderr);
        return settings::kSettingsFileName;
    }
    return settings::settingsFileInConfigFolder(files, *folder, environment("HOME"));
}

int endWith(const command_line::Ending& ending) {
    std::fputs(ending.output.c_str(), stdout);
    std::fputs(ending.errors.c_str(), stderr);
    return ending.status;
}

}  // namespace quintara::program
