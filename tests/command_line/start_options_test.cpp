// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command_line/start_options.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "command_line/config_folder.h"

namespace quintara::command_line {
namespace {

struct StartCase {
    std::string name;
    std::vector<std::string> arguments;  // after the program's name
    std::string optionsFile;
    // What the start runs with; nothing when it ends with a usage error naming `refused`.
    std::optional<StartOptions> options;
    std::string refused = {};
    // A word the warnings about the options file must hold, or none.
    std::string warned = {};

    friend void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }
};

constexpr StartOptions kOnline{};
constexpr StartOptions kOffline{.offline = true};
constexpr StartOptions kFromTheMenu{.settingsInConfigFolder = true};

std::vector<StartCase> startCases() {
    const std::optional<StartOptions> ends;
    return {
        {"NothingAsked", {}, "", kOnline},
        {"Offline", {"--offline"}, "", kOffline},
        {"FromTheMenuOffline", {"--config-folder", "--offline"}, "", {{true, true}}},
        {"TheFilesDefault", {}, "--offline\n", kOffline},
        {"TheCommandLineAfterTheFile", {"--online"}, "--offline\n", kOnline},
        {"TheLaterOfTwo", {"--online", "--offline"}, "", kOffline},
        {"AFileOfCommentsBlanksAndCrLf",
         {},
         "# never the page\r\n\r\n  --offline \t\r\n",
         kOffline},
        {"AFileWithoutItsLastLineEnd", {}, "--config-folder", kFromTheMenu},
        {"ASlipInTheFileIsSkipped", {}, "--offline\n--ofline\n", kOffline, "", "riga 2"},
        {"HelpIsNoDefault", {}, "--help\n", kOnline, "", "\"--help\""},
        {"AManyLinedMistakeSaidInAFewLines",
         {},
         std::string(1000, '\n') + "x\ny\nz\nw\nv\nu\nt\n",
         kOnline,
         "",
         "altre 2 righe"},
        {"AnUnknownOption", {"--offlin"}, "", ends, "\"--offlin\""},
        {"AValueForAnOptionWithout", {"--offline=yes"}, "", ends, "\"--offline\""},
        {"AnArgument", {"Quintara.cfg"}, "", ends, "\"Quintara.cfg\""},
        {"AnOptionAfterTheEndOfOptions", {"--", "--offline"}, "", ends, "\"--offline\""},
        {"ADashAlone", {"-"}, "", ends, "\"-\""},
        // Qt takes its own (-platform, -style ...) before the program reads what is left.
        {"AShortOptionQtDidNotTake", {"-x"}, "", ends, "\"-x\""},
    };
}

class StartOptionsTable : public testing::TestWithParam<StartCase> {};

TEST_P(StartOptionsTable, StartsWithTheOptionsAskedOrEndsNamingWhatItCannotRun) {
    const StartCase& c = GetParam();
    std::vector<std::string> arguments = {"quintara"};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    const auto read =
        readStartOptions(arguments, c.optionsFile, "/home/u/.config/quintara/options");
    if (c.options) {
        ASSERT_TRUE(std::holds_alternative<StartReading>(read));
        const auto& reading = std::get<StartReading>(read);
        EXPECT_EQ(*c.options, reading.options);
        if (c.warned.empty()) {
            EXPECT_EQ("", reading.warnings);
        } else {
            EXPECT_NE(std::string::npos, reading.warnings.find(c.warned)) << reading.warnings;
            EXPECT_NE(std::string::npos, reading.warnings.find("/home/u/.config/quintara/options"));
            EXPECT_LE(std::count(reading.warnings.begin(), reading.warnings.end(), '\n'), 6);
        }
    } else {
        ASSERT_TRUE(std::holds_alternative<Ending>(read));
        const auto& ending = std::get<Ending>(read);
        EXPECT_EQ(2, ending.status);
        EXPECT_EQ("", ending.output);
        EXPECT_EQ(0u, ending.errors.find("quintara: ")) << ending.errors;
        EXPECT_NE(std::string::npos, ending.errors.find(c.refused)) << ending.errors;
        EXPECT_NE(std::string::npos, ending.errors.find("quintara --help")) << ending.errors;
    }
}

INSTANTIATE_TEST_SUITE_P(StartOptions, StartOptionsTable, testing::ValuesIn(startCases()),
                         [](const auto& info) { return info.param.name; });

// --help and --version need no display: they are answered before Qt starts, in GNU's forms.
TEST(StartOptions, HelpAndVersionAreAnsweredWhereverTheyStandBeforeTheEndOfOptions) {
    const auto help = answerWithoutWindows({"quintara", "--offline", "--help"});
    ASSERT_TRUE(help);
    EXPECT_EQ(0, help->status);
    EXPECT_EQ(0u, help->output.find("Uso: quintara [OPZIONE]...\n"));
    for (const char* option : {"--offline", "--online", "--config-folder", "--help", "--version"}) {
        EXPECT_NE(std::string::npos, help->output.find(std::string("\n      ") + option + " "))
            << option;
    }
    const auto version = answerWithoutWindows({"quintara", "--version"});
    ASSERT_TRUE(version);
    EXPECT_EQ(0u, version->output.find("quintara (Quintara) "));
    EXPECT_NE(std::string::npos, version->output.find("GPLv3+"));
    EXPECT_FALSE(answerWithoutWindows({"quintara", "--offline"}));
    EXPECT_FALSE(answerWithoutWindows({"quintara", "--", "--help"}));
}

struct FolderCase {
    const char* name;
    const char* xdgConfigHome;
    const char* home;
    std::optional<std::filesystem::path> folder;
};

TEST(ProgramConfigFolder, IsUnderAnAbsoluteXdgConfigHomeOrElseUnderTheHomesDotConfig) {
    const FolderCase cases[] = {
        {"configured", "/srv/u/conf", "/home/u", "/srv/u/conf/quintara"},
        {"unset", "", "/home/u", "/home/u/.config/quintara"},
        {"relative, so ignored", "conf", "/home/u", "/home/u/.config/quintara"},
        {"no home either", "", "", std::nullopt},
        {"a relative home", "", "u", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.folder, programConfigFolder(c.xdgConfigHome, c.home)) << c.name;
    }
}

}  // namespace
}  // namespace quintara::command_line
