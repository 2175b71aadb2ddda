// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/settings_place.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "files/local_file_layer.h"
#include "settings/settings_file.h"
#include "support/temporary_directory.h"

namespace quintara::settings {
namespace {

using testing::readBytes;
using testing::writeBytes;

const std::string kOldConditions = "0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n";
const std::string kNewConditions = "0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n";

struct PlaceCase {
    const char* name;
    // What the home folder and the configuration folder hold at the start, empty for nothing;
    // "fifo" for a named pipe in the home folder.
    std::string inHome;
    std::string inConfigFolder;
    // What the configuration folder's file holds after.
    std::string kept;
};

// A run from the menu keeps its settings in the configuration folder, taking along once what an
// earlier version left in the home folder, and never altering or waiting on that.
TEST(SettingsPlace, TheConfigFolderIsMadeAndTakesTheHomesOldFileOnce) {
    const PlaceCase cases[] = {
        {"a first start", "", "", ""},
        {"an earlier version's file", kOldConditions, "", kOldConditions},
        {"both: the folder's own stays", kOldConditions, kNewConditions, kNewConditions},
        {"a pipe in the home folder, never waited on", "fifo", "", ""},
        {"something far too large for a settings file", std::string(100 * 1024, '1'), "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TemporaryDirectory home;
        const auto folder = home / ".config" / "quintara";
        const auto old = home / kSettingsFileName;
        if (c.inHome == "fifo") {
            ASSERT_EQ(mkfifo(old.c_str(), 0600), 0);
        } else if (!c.inHome.empty()) {
            writeBytes(old, c.inHome);
        }
        if (!c.inConfigFolder.empty()) {
            std::filesystem::create_directories(folder);
            writeBytes(folder / kSettingsFileName, c.inConfigFolder);
        }
        files::LocalFileLayer files;

        EXPECT_EQ(settingsFileInConfigFolder(files, folder, home.path()),
                  folder / kSettingsFileName);
        EXPECT_TRUE(std::filesystem::is_directory(folder));
        if (c.kept.empty()) {
            EXPECT_EQ(testing::TemporaryDirectory::namesIn(folder), std::vector<std::string>{});
        } else {
            EXPECT_EQ(readBytes(folder / kSettingsFileName), c.kept);
        }
        if (c.inHome != "fifo" && !c.inHome.empty()) {
            EXPECT_EQ(readBytes(old), c.inHome) << "the home folder's file was altered";
        }
    }
}

// The folder is the user's as any other they make: their umask decides who may enter.
TEST(SettingsPlace, TheConfigFolderTakesTheUsersUsualModes) {
    testing::TemporaryDirectory home;
    files::LocalFileLayer files;
    const mode_t before = umask(027);
    settingsFileInConfigFolder(files, home / "conf" / "quintara", home.path());
    umask(before);
    for (const auto& folder : {home / "conf", home / "conf" / "quintara"}) {
        struct stat status = {};
        ASSERT_EQ(stat(folder.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777U, 0750U) << folder;
    }
}

}  // namespace
}  // namespace quintara::settings
