// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <thread>

#include "platform/file_layer.h"
#include "platform/local_file_layer.h"
#include "support/failing_file_layer.h"
#include "support/temporary_directory.h"

namespace quintara::platform {
namespace {

using testing::FailingFileLayer;
using testing::readBytes;
using testing::TemporaryDirectory;
using testing::writeBytes;
using Names = std::vector<std::string>;

unsigned permissionsOf(const std::filesystem::path& file) {
    return static_cast<unsigned>(std::filesystem::status(file).permissions());
}

class AtomicWrite : public ::testing::Test {
protected:
    TemporaryDirectory directory;
    std::filesystem::path target = directory / "Quintara.cfg";
    LocalFileLayer files;
};

TEST_F(AtomicWrite, ReplacesTheFileAndLeavesNothingElseBehind) {
    writeBytes(target, "old");
    EXPECT_EQ(writeFileAtomically(files, target, "new contents"), std::nullopt);
    EXPECT_EQ(readBytes(target), "new contents");
    EXPECT_EQ(directory.names(), Names{"Quintara.cfg"});
}

TEST_F(AtomicWrite, ANewFileGetsTheUsersDefaultPermissions) {
    const mode_t mask = umask(027);
    const auto result = writeFileAtomically(files, target, "first");
    umask(mask);
    EXPECT_EQ(result, std::nullopt);
    EXPECT_EQ(readBytes(target), "first");
    EXPECT_EQ(permissionsOf(target), 0640U);
}

TEST_F(AtomicWrite, AFileKeepsItsPermissions) {
    for (const unsigned mode : {0600U, 0640U, 0604U, 0666U}) {
        writeBytes(target, "old");
        std::filesystem::permissions(target, std::filesystem::perms(mode));
        ASSERT_EQ(writeFileAtomically(files, target, "new"), std::nullopt);
        EXPECT_EQ(permissionsOf(target), mode) << std::oct << mode;
    }
}

// The attack on a predictable temporary name: someone who can write to the folder plants a link
// there, hoping the save writes through it into another of the user's files.
TEST_F(AtomicWrite, ALinkPlantedAtTheOldTemporaryNameLeavesItsTargetUntouched) {
    const auto victim = directory / "victim";
    writeBytes(victim, "the user's other file");
    writeBytes(target, "old");
    std::filesystem::create_symlink(victim, directory / "Quintara.cfg.tmp");
    EXPECT_EQ(writeFileAtomically(files, target, "new"), std::nullopt);
    EXPECT_EQ(readBytes(victim), "the user's other file");
    EXPECT_FALSE(std::filesystem::is_symlink(target));
    EXPECT_EQ(readBytes(target), "new");
}

TEST_F(AtomicWrite, ALinkedSettingsFileStaysALinkAndTheFileItLeadsToIsReplaced) {
    std::filesystem::create_directory(directory / "synced");
    writeBytes(directory / "synced" / "real.cfg", "old");
    std::filesystem::permissions(directory / "synced" / "real.cfg", std::filesystem::perms(0600));
    // A relative link to a relative link: each is read from the folder it lies in.
    std::filesystem::create_symlink("real.cfg", directory / "synced" / "alias.cfg");
    std::filesystem::create_symlink("synced/alias.cfg", target);
    EXPECT_EQ(writeFileAtomically(files, target, "new"), std::nullopt);
    EXPECT_EQ(std::filesystem::read_symlink(target), "synced/alias.cfg");
    EXPECT_TRUE(std::filesystem::is_symlink(directory / "synced" / "alias.cfg"));
    EXPECT_EQ(readBytes(directory / "synced" / "real.cfg"), "new");
    EXPECT_EQ(permissionsOf(directory / "synced" / "real.cfg"), 0600U);
    EXPECT_EQ(directory.names(), (Names{"Quintara.cfg", "synced"}));
    EXPECT_EQ(TemporaryDirectory::namesIn(directory / "synced"), (Names{"alias.cfg", "real.cfg"}));
}

TEST_F(AtomicWrite, ADanglingLinkIsSavedAsANewFileWhereItLeads) {
    std::filesystem::create_symlink(directory / "not-yet.cfg", target);
    EXPECT_EQ(writeFileAtomically(files, target, "first"), std::nullopt);
    EXPECT_TRUE(std::filesystem::is_symlink(target));
    EXPECT_EQ(readBytes(directory / "not-yet.cfg"), "first");
}

TEST_F(AtomicWrite, LinksInALoopAreReportedAndLeftAsTheyWere) {
    std::filesystem::create_symlink("other", target);
    std::filesystem::create_symlink("Quintara.cfg", directory / "other");
    const auto error = writeFileAtomically(files, target, "new");
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->reason.find("collegamenti"), std::string::npos) << error->reason;
    EXPECT_EQ(directory.names(), (Names{"Quintara.cfg", "other"}));
}

TEST_F(AtomicWrite, TwoSavesAtOnceEachLeaveAWholeFile) {
    const std::string first(4000, '1');
    const std::string second(6000, '2');
    std::atomic<int> failures = 0;
    auto saveOften = [&](const std::string& contents) {
        LocalFileLayer ownFiles;
        for (int round = 0; round < 150; ++round) {
            if (writeFileAtomically(ownFiles, target, contents)) {
                ++failures;
            }
            const std::string seen = readBytes(target);
            if (seen != first && seen != second) {
                ++failures;
            }
        }
    };
    std::thread one(saveOften, first);
    std::thread two(saveOften, second);
    one.join();
    two.join();
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(directory.names(), Names{"Quintara.cfg"});
}

TEST_F(AtomicWrite, ADirectoryNamedLikeTheTargetIsNotReplaced) {
    std::filesystem::create_directories(target / "inside");
    const auto error = writeFileAtomically(files, target, "new");
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->reason.find("cartella"), std::string::npos) << error->reason;
    EXPECT_TRUE(std::filesystem::is_directory(target / "inside"));
    EXPECT_EQ(directory.names(), Names{"Quintara.cfg"});
}

TEST_F(AtomicWrite, AWriteThatFailsHalfwayLeavesTheOldFileAndNothingElse) {
    writeBytes(target, "old bytes\r\n");
    FailingFileLayer failing;
    failing.failWriteHalfway = true;
    const auto error = writeFileAtomically(failing, target, "new contents that are long");
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->reason.find("il disco è pieno"), std::string::npos) << error->reason;
    EXPECT_EQ(readBytes(target), "old bytes\r\n");
    EXPECT_EQ(directory.names(), Names{"Quintara.cfg"});
}

TEST_F(AtomicWrite, ARenameThatFailsLeavesTheOldFileAndNothingElse) {
    writeBytes(target, "old bytes\r\n");
    FailingFileLayer failing;
    failing.failReplace = true;
    EXPECT_TRUE(writeFileAtomically(failing, target, "new").has_value());
    EXPECT_EQ(readBytes(target), "old bytes\r\n");
    EXPECT_EQ(directory.names(), Names{"Quintara.cfg"});
}

TEST_F(AtomicWrite, AFolderThatIsGoneIsReported) {
    const auto error = writeFileAtomically(files, directory / "gone" / "Quintara.cfg", "new");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->reason,
              "impossibile creare un file temporaneo accanto a Quintara.cfg "
              "(la cartella non esiste più)");
}

TEST(DescribeError, SaysWhatWentWrongInItalian) {
    EXPECT_EQ(describeError(std::make_error_code(std::errc::no_space_on_device)),
              "il disco è pieno");
    EXPECT_EQ(describeError(std::make_error_code(std::errc::read_only_file_system)),
              "il disco è di sola lettura");
    EXPECT_EQ(describeError(std::make_error_code(std::errc::permission_denied)), "accesso negato");
}

}  // namespace
}  // namespace quintara::platform
