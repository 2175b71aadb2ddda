#include <gtest/gtest.h>

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

class AtomicWrite : public ::testing::Test {
protected:
    TemporaryDirectory directory;
    std::filesystem::path target = directory / "Quintara.cfg";
    std::filesystem::path temporary = temporaryFileFor(target);
};

TEST_F(AtomicWrite, ReplacesTheFileAndLeavesNoTemporaryFile) {
    writeBytes(target, "old");
    LocalFileLayer files;
    EXPECT_EQ(writeFileAtomically(files, target, "new contents"), std::nullopt);
    EXPECT_EQ(readBytes(target), "new contents");
    EXPECT_FALSE(std::filesystem::exists(temporary));
}

TEST_F(AtomicWrite, CreatesTheFileWhenThereIsNone) {
    LocalFileLayer files;
    EXPECT_EQ(writeFileAtomically(files, target, "first"), std::nullopt);
    EXPECT_EQ(readBytes(target), "first");
}

TEST_F(AtomicWrite, ADirectoryInTheWayOfTheTemporaryFileKeepsTheOldFileAndTheDirectory) {
    writeBytes(target, "old bytes\r\n");
    std::filesystem::create_directory(temporary);
    LocalFileLayer files;
    const auto error = writeFileAtomically(files, target, "new");
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->reason.find("cartella"), std::string::npos) << error->reason;
    EXPECT_EQ(readBytes(target), "old bytes\r\n");
    EXPECT_TRUE(std::filesystem::is_directory(temporary));
}

TEST_F(AtomicWrite, ADirectoryNamedLikeTheTargetIsNotReplaced) {
    std::filesystem::create_directories(target / "inside");
    LocalFileLayer files;
    EXPECT_TRUE(writeFileAtomically(files, target, "new").has_value());
    EXPECT_TRUE(std::filesystem::is_directory(target / "inside"));
    EXPECT_FALSE(std::filesystem::exists(temporary));
}

TEST_F(AtomicWrite, AWriteThatFailsHalfwayLeavesTheOldFileAndNoTemporaryFile) {
    writeBytes(target, "old bytes\r\n");
    FailingFileLayer files;
    files.failWriteHalfway = true;
    const auto error = writeFileAtomically(files, target, "new contents that are long");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->reason, "il disco è pieno");
    EXPECT_EQ(readBytes(target), "old bytes\r\n");
    EXPECT_FALSE(std::filesystem::exists(temporary));
}

TEST_F(AtomicWrite, ARenameThatFailsLeavesTheOldFileAndNoTemporaryFile) {
    writeBytes(target, "old bytes\r\n");
    FailingFileLayer files;
    files.failReplace = true;
    EXPECT_TRUE(writeFileAtomically(files, target, "new").has_value());
    EXPECT_EQ(readBytes(target), "old bytes\r\n");
    EXPECT_FALSE(std::filesystem::exists(temporary));
}

TEST_F(AtomicWrite, AStaleTemporaryFileFromACrashDoesNotBlockSaving) {
    writeBytes(temporary, "left over");
    LocalFileLayer files;
    EXPECT_EQ(writeFileAtomically(files, target, "fresh"), std::nullopt);
    EXPECT_EQ(readBytes(target), "fresh");
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
