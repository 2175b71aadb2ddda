// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command_line/start_options.h"

#include <array>

#include "command_line/usage.h"

namespace quintara::command_line {
namespace {

enum class Option { Offline, Online, SettingsInConfigFolder, Help, Version };

struct NamedOption {
    std::string_view name;
    Option option;
};

constexpr std::array<NamedOption, 5> kOptions = {{
    {"--offline", Option::Offline},
    {"--online", Option::Online},
    {"--config-folder", Option::SettingsInConfigFolder},
    {"--help", Option::Help},
    {"--version", Option::Version},
}};

// A file of many bad lines says so in a few.
constexpr int kMostWarnings = 5;

std::optional<Option> optionNamed(std::string_view name) {
    for (const auto& [known, option] : kOptions) {
        if (known == name) {
            return option;
        }
    }
    return std::nullopt;
}

// False for --help and --version, which only the command line can ask for.
bool apply(Option option, StartOptions& options) {
    switch (option) {
        case Option::Offline:
            options.offline = true;
            return true;
        case Option::Online:
            options.offline = false;
            return true;
        case Option::SettingsInConfigFolder:
            options.settingsInConfigFolder = true;
            return true;
        case Option::Help:
        case Option::Version:
            return false;
    }
    return false;
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string_view trimmed(std::string_view line) {
    constexpr std::string_view kBlanks = " \t\r";
    const auto first = line.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
}

void readOptionsFile(std::string_view contents, std::string_view fileName, StartReading& reading) {
    int lineNumber = 0;
    int ignored = 0;
    while (!contents.empty()) {
        const auto end = contents.find('\n');
        const std::string_view line = trimmed(contents.substr(0, end));
        contents = end == std::string_view::npos ? std::string_view() : contents.substr(end + 1);
        ++lineNumber;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto option = optionNamed(line);
        if (option && apply(*option, reading.options)) {
            continue;
        }
        if (++ignored <= kMostWarnings) {
            reading.warnings += "quintara: " + std::string(fileName) + ", riga " +
                                std::to_string(lineNumber) + ": " + quoted(line) +
                                " non è un'opzione che il file possa dare, ignorata\n";
        }
    }
    if (ignored > kMostWarnings) {
        reading.warnings += "quintara: " + std::string(fileName) + ": altre " +
                            std::to_string(ignored - kMostWarnings) + " righe ignorate\n";
    }
}

}  // namespace

std::optional<Ending> answerWithoutWindows(const std::vector<std::string>& arguments) {
    for (std::size_t i = 1; i < arguments.size() && arguments[i] != "--"; ++i) {
        if (arguments[i] == "--help") {
            return Ending{helpText(), {}, 0};
        }
        if (arguments[i] == "--version") {
            return Ending{versionText(), {}, 0};
        }
    }
    return std::nullopt;
}

std::variant<StartReading, Ending> readStartOptions(const std::vector<std::string>& arguments,
                                                    std::string_view optionsFile,
                                                    std::string_view optionsFileName) {
    StartReading reading;
    readOptionsFile(optionsFile, optionsFileName, reading);
    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || argument.size() < 2 || argument.front() != '-') {
            return Ending{{}, usageError("argomento non previsto " + quoted(argument)), 2};
        }
        const std::string_view name = argument.substr(0, argument.find('='));
        const auto option = optionNamed(name);
        if (!option) {
            return Ending{{}, usageError("opzione non riconosciuta " + quoted(argument)), 2};
        }
        if (name.size() != argument.size()) {
            return Ending{
                {}, usageError("l'opzione " + quoted(name) + " non accetta argomenti"), 2};
        }
        apply(*option, reading.options);
    }
    return reading;
}

}  // namespace quintara::command_line
