// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <future>
#include <optional>
#include <thread>
#include <utility>
#include <variant>
#include <vector>

#include "files/file_descriptor.h"
#include "files/file_layer.h"
#include "files/leftover_files.h"
#include "files/local_file_layer.h"
#include "files/save_lock.h"
#include "files/temporary_file.h"
#include "support/failing_file_layer.h"
#include "support/mounted_file_system.h"
#include "support/temporary_directory.h"

namespace quintara::files {

// A failed save prints what failed.
void PrintTo(const FileFailure& failure, std::ostream* os) {
    *os << "step " << static_cast<int>(failure.step) << " on " << failure.file << " ("
        << failure.error.message() << ") " << failure.oldContentsIn;
}

namespace {

using testing::FailingFileLayer;
using testing::FileSystem;
using testing::MountedFileSystem;
using testing::readBytes;
using testing::TemporaryDirectory;
using testing::writeBytes;
using Names = std::vector<std::string>;
using Path = std::filesystem::path;

// The failure a save must report; a refusal comes with no error of the system.
FileFailure failed(FileStep step, const Path& file, std::errc error = {}) {
    return {step, file, error == std::errc{} ? std::error_code{} : std::make_error_code(error)};
}

// Users that exist only as numbers: root can give files and links to them.
constexpr uid_t kAnotherUser = 12345;
constexpr uid_t kFolderOwner = 23456;
constexpr uid_t kYou = static_cast<uid_t>(-1);

unsigned permissionsOf(const Path& file) {
    return static_cast<unsigned>(std::filesystem::status(file).permissions());
}

// What the user can set on a file besides its contents: mode, owner, group and every extended
// attribute with its value.
std::string attributesOf(const Path& file) {
    struct stat status = {};
    lstat(file.c_str(), &status);
    std::string seen = std::to_string(status.st_mode) + " " + std::to_string(status.st_uid) + ":" +
                       std::to_string(status.st_gid);
    std::string names(4096, '\0');
    names.resize(std::max<ssize_t>(0, llistxattr(file.c_str(), names.data(), names.size())));
    for (std::size_t start = 0; start < names.size(); start = names.find('\0', start) + 1) {
        const char* name = names.c_str() + start;
        std::string value(4096, '\0');
        value.resize(std::max<ssize_t>(0, lgetxattr(file.c_str(), name, value.data(), 4096)));
        seen += " " + std::string(name) + "=" + value;
    }
    return seen;
}

// An access ACL in the kernel's own format, as `setfacl -m u:1000:r,g::-,m::r,o::-` leaves it
// (the user may read and write, user 1000 may read, the group and others may not): the
// format's version, then each entry's tag, rights and user.
const std::string kAclGivingUser1000ReadAccess(
    "\x02\0\0\0"
    "\x01\0\x06\0\xFF\xFF\xFF\xFF"
    "\x02\0\x04\0\xE8\x03\0\0"
    "\x04\0\0\0\xFF\xFF\xFF\xFF"
    "\x10\0\x04\0\xFF\xFF\xFF\xFF"
    "\x20\0\0\0\xFF\xFF\xFF\xFF",
    44);

// Each returns 0, or why the machine cannot set this up for a test.
int giveTo(const Path& file, uid_t owner, gid_t group = static_cast<gid_t>(-1)) {
    return lchown(file.c_str(), owner == kYou ? geteuid() : owner, group) == 0 ? 0 : errno;
}
int setAttribute(const Path& file, const char* name, const std::string& value) {
    return lsetxattr(file.c_str(), name, value.data(), value.size(), 0) == 0 ? 0 : errno;
}
// A named pipe, a socket or a device.
int makeNode(const Path& file, mode_t kind, dev_t device = 0) {
    return mknod(file.c_str(), kind | 0666, device) == 0 ? 0 : errno;
}
int makeFile(const Path& file, unsigned mode) {
    writeBytes(file, "old");
    std::filesystem::permissions(file, std::filesystem::perms(mode));
    return 0;
}
int makeLink(const Path& leadsTo, const Path& link) {
    std::filesystem::create_symlink(leadsTo, link);
    return 0;
}
// A folder anyone may write to, where only owners may remove or rename, as /tmp is.
Path makeSharedFolder(const Path& folder) {
    std::filesystem::create_directory(folder);
    std::filesystem::permissions(folder, std::filesystem::perms(01777));
    return folder;
}
// A link that another user planted in a shared folder.
int plantLink(const Path& leadsTo, const Path& link) {
    makeLink(leadsTo, makeSharedFolder(link.parent_path()) / link.filename());
    return giveTo(link, kAnotherUser);
}

// Skips a case this machine cannot set up, saying why.
#define SKIP_UNLESS_DONE(setUp)                                                                 \
    if (const int error = (setUp); error == EPERM || error == ENOTSUP) {                        \
        GTEST_SKIP() << (error == EPERM ? "only root may give a file or link to another user, " \
                                          "make a device or set a security label"               \
                                        : "the file system of the temporary folder holds "      \
                                          "no extended attributes");                            \
    } else                                                                                      \
        ASSERT_EQ(error, 0) << std::strerror(error)

// Opens the file as the settings reader does. A read blocked in the open of a named pipe is
// released after a while by opening the pipe's other end, and counts as a failure.
bool opensForReading(FileLayer& files, const Path& file) {
    auto reading =
        std::async(std::launch::async, [&] { return files.openForInput(file) != nullptr; });
    if (reading.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
        ADD_FAILURE() << "reading " << file << " blocked";
        close(open(file.c_str(), O_WRONLY | O_NONBLOCK));
    }
    return reading.get();
}

// The user's umask for one test.
struct Umask {
    explicit Umask(mode_t mask) : before(umask(mask)) {}
    ~Umask() { umask(before); }
    mode_t before;
};

class AtomicWrite : public ::testing::Test {
protected:
    TemporaryDirectory directory;
    Path target = directory / "Quintara.cfg";
    LocalFileLayer files;
};

TEST_F(AtomicWrite, ReplacesTheFileAndLeavesNothingElseBehind) {
    writeBytes(target, "old");
    EXPECT_EQ(writeFileAtomically(files, target, "new contents"), std::nullopt);
    EXPECT_EQ(readBytes(target), "new contents");
    EXPECT_EQ(directory.names(), Names{"Quintara.cfg"});
}

TEST_F(AtomicWrite, ANewFileGetsTheUsersDefaultPermissions) {
    const Umask mask(027);
    const auto result = writeFileAtomically(files, target, "first");
    EXPECT_EQ(result, std::nullopt);
    EXPECT_EQ(readBytes(target), "first");
    EXPECT_EQ(permissionsOf(target), 0640U);
}

// What the user set on the settings file, which the new file must keep.
using SetUp = std::function<int(const Path&)>;  // 0, or why the machine cannot set it up
SetUp mode(unsigned bits) {
    return [=](const Path& file) { return makeFile(file, bits); };
}
SetUp owners(uid_t owner, gid_t group) {
    return [=](const Path& file) { return giveTo(file, owner, group); };
}
SetUp attribute(const char* name, std::string value) {
    return [=](const Path& file) { return setAttribute(file, name, value); };
}

int nothing(const Path&) {
    return 0;
}

struct KeptCase {
    const char* name;
    SetUp set;
    FileSystem where = FileSystem::TemporaryFolders;

    friend void PrintTo(const KeptCase& c, std::ostream* os) { *os << c.name; }
};

class WhatASaveKeeps : public AtomicWrite, public ::testing::WithParamInterface<KeptCase> {};

// The new file has what the old one had, and nobody the old one kept out can open it meanwhile.
TEST_P(WhatASaveKeeps, TheNewFileHasWhatTheOldOneHadAndNoMore) {
    const Umask nothingMasked(0);
    const MountedFileSystem place(GetParam().where, directory.path());
    if (!place.whyNot.empty()) {
        GTEST_SKIP() << place.whyNot;
    }
    target = place.folder / "Quintara.cfg";
    writeBytes(target, "old");
    SKIP_UNLESS_DONE(GetParam().set(target));
    const std::string before = attributesOf(target);
    const unsigned ownerMay = permissionsOf(target) & 0700U;
    FailingFileLayer recording;
    ASSERT_EQ(writeFileAtomically(recording, target, "new"), std::nullopt);
    EXPECT_EQ(attributesOf(target), before);
    // An open descriptor stays readable when the mode narrows later, so the first moment counts.
    ASSERT_EQ(recording.modesAtCreation.size(), 1U);
    EXPECT_EQ(recording.modesAtCreation[0] & ~ownerMay, 0U)
        << std::oct << recording.modesAtCreation[0];
    EXPECT_EQ(readBytes(target), "new");
    EXPECT_EQ(TemporaryDirectory::namesIn(place.folder), Names{"Quintara.cfg"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WhatASaveKeeps,
    ::testing::Values(KeptCase{"PrivateFile", mode(0600)}, KeptCase{"GroupMayRead", mode(0640)},
                      KeptCase{"OthersMayReadButNotTheGroup", mode(0604)},
                      KeptCase{"EveryoneMayWrite", mode(0666)},
                      KeptCase{"OwnerAndGroup", owners(kAnotherUser, kFolderOwner)},
                      KeptCase{"AccessControlList",
                               attribute("system.posix_acl_access", kAclGivingUser1000ReadAccess)},
                      KeptCase{"SecurityLabel", attribute("security.quintara", "label")},
                      // The folder's default ACL is for new files, not for one that replaces.
                      KeptCase{"PrivateFileInAFolderWhoseDefaultAclLetsUser1000Read",
                               [](const Path& file) {
                                   makeFile(file, 0600);
                                   return setAttribute(file.parent_path(),
                                                       "system.posix_acl_default",
                                                       kAclGivingUser1000ReadAccess);
                               }},
                      KeptCase{"UsersOwnNote", attribute("user.xdg.comment", "numeri")},
                      KeptCase{"PrivateFileOnTmpfs", mode(0600), FileSystem::Tmpfs},
                      KeptCase{"AccessControlListOnTmpfs",
                               attribute("system.posix_acl_access", kAclGivingUser1000ReadAccess),
                               FileSystem::Tmpfs},
                      // A USB stick: one mode for every file, no owners, no extended attributes.
                      KeptCase{"FileOnFat", nothing, FileSystem::Fat}),
    [](const auto& info) { return info.param.name; });

// /etc/xattr.conf, which libattr reads, names what a copy must leave out: Debian's says
// user.Beagle.*, the index of a desktop search long gone.
TEST_F(AtomicWrite, AnAttributeTheSystemSaysNotToCopyIsLeftOut) {
    writeBytes(target, "old");
    SKIP_UNLESS_DONE(setAttribute(target, "user.Beagle.index", "stale"));
    ASSERT_EQ(writeFileAtomically(files, target, "new"), std::nullopt);
    EXPECT_EQ(attributesOf(target).find("user.Beagle"), std::string::npos) << attributesOf(target);
}

// A user who may give the new file the old one's group, being a member, but not its owner keeps
// the group: a file shared with a group stays shared. The save runs in a child process as such a
// user, which only root can start.
TEST_F(AtomicWrite, AUserWhoMayGiveOnlyTheGroupKeepsTheFilesSharedGroup) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root may run a save as another user";
    }
    constexpr uid_t kColleague = 34567;
    constexpr gid_t kSharedGroup = 23456;
    const Path folder = directory / "yours";
    std::filesystem::create_directory(folder);
    std::filesystem::permissions(directory.path(), std::filesystem::perms(0755));
    ASSERT_EQ(giveTo(folder, kAnotherUser, kAnotherUser), 0);
    target = folder / "Quintara.cfg";
    makeFile(target, 0660);
    ASSERT_EQ(giveTo(target, kColleague, kSharedGroup), 0);

    const pid_t child = fork();
    ASSERT_GE(child, 0) << std::strerror(errno);
    if (child == 0) {
        const gid_t groups[] = {kSharedGroup};
        if (setgroups(1, groups) != 0 || setgid(kAnotherUser) != 0 || setuid(kAnotherUser) != 0) {
            _exit(2);
        }
        LocalFileLayer asTheUser;
        _exit(writeFileAtomically(asTheUser, target, "new") ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the child ended with " << status << " (2: it could not become the user, 1: the save "
        << "failed)";
    struct stat saved = {};
    ASSERT_EQ(lstat(target.c_str(), &saved), 0);
    EXPECT_EQ(readBytes(target), "new");
    EXPECT_EQ(saved.st_uid, kAnotherUser);
    EXPECT_EQ(saved.st_gid, kSharedGroup);
    EXPECT_EQ(saved.st_mode & 07777U, 0660U);
}

// Something at the place of the settings file that a save must leave exactly as it was.
struct RefusedCase {
    const char* name;
    std::function<int(const Path& folder)> plant;  // 0, or why the machine cannot plant it
    FileStep step;
    const char* file;  // what the step was about, in the folder
    std::errc error;
    bool readable;

    friend void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }
};

class WhatASaveRefuses : public AtomicWrite, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(WhatASaveRefuses, ItSaysWhyAndTouchesNothing) {
    writeBytes(directory / "victim", "your other file");
    SKIP_UNLESS_DONE(GetParam().plant(directory.path()));
    const Names before = directory.everything();
    EXPECT_EQ(opensForReading(files, target), GetParam().readable);
    const auto& row = GetParam();
    EXPECT_EQ(writeFileAtomically(files, target, "new"),
              failed(row.step, directory / row.file, row.error));
    EXPECT_EQ(directory.everything(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WhatASaveRefuses,
    ::testing::Values(
        RefusedCase{"ReadOnlyFile",
                    [](const Path& f) { return makeFile(f / "Quintara.cfg", 0444); },
                    FileStep::RefuseReadOnlyFile,
                    "Quintara.cfg",
                    {},
                    true},
        RefusedCase{"NamedPipe",
                    [](const Path& f) { return makeNode(f / "Quintara.cfg", S_IFIFO); },
                    FileStep::RefuseSpecialFile,
                    "Quintara.cfg",
                    {},
                    false},
        RefusedCase{"LinkToANamedPipe",
                    [](const Path& f) {
                        makeLink("pipe", f / "Quintara.cfg");
                        return makeNode(f / "pipe", S_IFIFO);
                    },
                    FileStep::RefuseSpecialFile,
                    "pipe",
                    {},
                    false},
        RefusedCase{"Socket",
                    [](const Path& f) { return makeNode(f / "Quintara.cfg", S_IFSOCK); },
                    FileStep::RefuseSpecialFile,
                    "Quintara.cfg",
                    {},
                    false},
        RefusedCase{
            "Device",
            [](const Path& f) { return makeNode(f / "Quintara.cfg", S_IFCHR, makedev(1, 3)); },
            FileStep::RefuseSpecialFile,
            "Quintara.cfg",
            {},
            false},
        RefusedCase{"Folder",
                    [](const Path& f) {
                        std::filesystem::create_directories(f / "Quintara.cfg" / "inside");
                        return 0;
                    },
                    FileStep::RefuseFolder,
                    "Quintara.cfg",
                    {},
                    false},
        RefusedCase{"LinksInALoop",
                    [](const Path& f) {
                        makeLink("other", f / "Quintara.cfg");
                        return makeLink("Quintara.cfg", f / "other");
                    },
                    FileStep::FollowLink, "Quintara.cfg", std::errc::too_many_symbolic_link_levels,
                    false},
        RefusedCase{"AnotherUsersLinkFurtherAlongTheChain",
                    [](const Path& f) {
                        makeLink("shared/planted", f / "Quintara.cfg");
                        return plantLink("../victim", f / "shared" / "planted");
                    },
                    FileStep::RefuseAnotherUsersLink, "shared/planted",
                    std::errc::permission_denied, false},
        RefusedCase{"AnotherUsersLinkAsAFolderOnTheWay",
                    [](const Path& f) {
                        std::filesystem::create_directory(f / "yours");
                        makeFile(f / "yours" / "Quintara.cfg", 0644);
                        makeLink("shared/folder/Quintara.cfg", f / "Quintara.cfg");
                        return plantLink("../yours", f / "shared" / "folder");
                    },
                    FileStep::RefuseAnotherUsersLink, "shared/folder", std::errc::permission_denied,
                    false}),
    [](const auto& info) { return info.param.name; });

// The rule the kernel applies when fs.protected_symlinks is on, whatever this machine says: in
// a folder anyone may write to that has the sticky bit, a link is followed only when it belongs
// to the user or to the folder's owner.
struct SharedFolderCase {
    const char* name;
    unsigned folderMode;
    uid_t folderOwner;
    uid_t linkOwner;
    bool followed;

    friend void PrintTo(const SharedFolderCase& c, std::ostream* os) { *os << c.name; }
};

class ALinkInASharedFolder : public AtomicWrite,
                             public ::testing::WithParamInterface<SharedFolderCase> {};

TEST_P(ALinkInASharedFolder, IsFollowedOnlyWhenItsOwnerIsTrusted) {
    const auto& row = GetParam();
    const Path folder = directory / "shared";
    const Path link = folder / "Quintara.cfg";
    const Path victim = directory / "victim";
    writeBytes(victim, "your other file");
    std::filesystem::create_directory(folder);
    std::filesystem::create_symlink(victim, link);
    const int linkGiven = giveTo(link, row.linkOwner);
    SKIP_UNLESS_DONE(linkGiven != 0 ? linkGiven : giveTo(folder, row.folderOwner));
    std::filesystem::permissions(folder, std::filesystem::perms(row.folderMode));

    EXPECT_EQ(opensForReading(files, link), row.followed);
    const auto error = writeFileAtomically(files, link, "new");
    EXPECT_EQ(error.has_value(), !row.followed);
    EXPECT_EQ(readBytes(victim), row.followed ? "new" : "your other file");
    EXPECT_EQ(std::filesystem::read_symlink(link), victim);
    EXPECT_EQ(TemporaryDirectory::namesIn(folder), Names{"Quintara.cfg"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ALinkInASharedFolder,
    ::testing::Values(
        SharedFolderCase{"AnotherUsersLinkIsRefused", 01777, kYou, kAnotherUser, false},
        SharedFolderCase{"AnotherUsersLinkIsRefusedWhoeverOwnsTheFolder", 01777, kFolderOwner,
                         kAnotherUser, false},
        SharedFolderCase{"YourOwnLinkIsFollowed", 01777, kFolderOwner, kYou, true},
        SharedFolderCase{"TheFolderOwnersLinkIsFollowed", 01777, kFolderOwner, kFolderOwner, true},
        SharedFolderCase{"WithoutTheStickyBitAnyLinkIsFollowed", 0777, kYou, kAnotherUser, true},
        SharedFolderCase{"WhereOnlyItsOwnerWritesAnyLinkIsFollowed", 01755, kYou, kAnotherUser,
                         true}),
    [](const auto& info) { return info.param.name; });

// What a save cut short by a crash may leave beside the settings file, and what only looks so.
enum class Left { PlainFile, AnotherUsersFile, FileWithASecondName, Link };

struct LeftoverCase {
    const char* name;
    const char* file;
    Left what;
    int minutesAgo;
    bool removed;

    friend void PrintTo(const LeftoverCase& c, std::ostream* os) { *os << c.name; }
};

class WhatEarlierSavesLeft : public AtomicWrite,
                             public ::testing::WithParamInterface<LeftoverCase> {};

TEST_P(WhatEarlierSavesLeft, GoesWithTheNextSaveOnlyWhenSurelyTheirsAndOld) {
    const auto& row = GetParam();
    const Path left = directory / row.file;
    const Path made = row.what == Left::PlainFile || row.what == Left::AnotherUsersFile
                          ? left
                          : directory / "yours";
    writeBytes(made, "interrupted");
    std::filesystem::last_write_time(
        made, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(row.minutesAgo));
    if (row.what == Left::FileWithASecondName) {
        std::filesystem::create_hard_link(made, left);
    } else if (row.what == Left::Link) {
        makeLink("yours", left);
    }
    SKIP_UNLESS_DONE(row.what == Left::AnotherUsersFile ? giveTo(left, kAnotherUser) : 0);
    writeBytes(target, "old");
    Names expected = directory.names();
    if (row.removed) {
        std::erase(expected, row.file);
    }
    ASSERT_EQ(writeFileAtomically(files, target, "new"), std::nullopt);
    EXPECT_EQ(directory.names(), expected);
}

constexpr char kLeftBehind[] = "Quintara.cfg.CutShort0001.tmp";
INSTANTIATE_TEST_SUITE_P(
    Cases, WhatEarlierSavesLeft,
    ::testing::Values(
        LeftoverCase{"TwoHoursOld", kLeftBehind, Left::PlainFile, 120, true},
        LeftoverCase{"AnHourAndAMinuteOld", kLeftBehind, Left::PlainFile, 61, true},
        // Another copy of Quintara may be saving at this very moment, on a network disk whose
        // clock may run minutes apart from ours.
        LeftoverCase{"JustMade", kLeftBehind, Left::PlainFile, 0, false},
        LeftoverCase{"AMinuteOld", kLeftBehind, Left::PlainFile, 1, false},
        LeftoverCase{"TenMinutesOld", kLeftBehind, Left::PlainFile, 10, false},
        LeftoverCase{"FiftyNineMinutesOld", kLeftBehind, Left::PlainFile, 59, false},
        LeftoverCase{"AnotherUsers", kLeftBehind, Left::AnotherUsersFile, 120, false},
        LeftoverCase{"WithASecondName", kLeftBehind, Left::FileWithASecondName, 120, false},
        LeftoverCase{"ALink", kLeftBehind, Left::Link, 120, false},
        LeftoverCase{"AnotherFilesName", "Other.cfg.CutShort0001.tmp", Left::PlainFile, 120, false},
        LeftoverCase{"ANameThisProgramNeverGives", "Quintara.cfg.Cut-Short001.tmp", Left::PlainFile,
                     120, false}),
    [](const auto& info) { return info.param.name; });

// In a crowded shared folder a save reads a few names of it, each save where the last stopped: it
// costs what it costs in an empty folder, and what cut-short saves left there still goes, a few
// saves later.
TEST_F(AtomicWrite, InACrowdedFolderEachSaveReadsAFewNamesAndLeftoversStillGo) {
    // A hundred saves, none of which need reach the disk.
    struct FilesNeverForced final : LocalFileLayer {
        std::error_code forceToDisk(int) override { return {}; }
    } files;
    constexpr int kOtherNames = 100000;
    constexpr int kLeftovers = 100;
    // Names of a few files, which makes them ten times faster than files of their own; ext4 gives
    // a file 65 000 names at most.
    constexpr int kFiles = 4;
    for (int file = 0; file < kFiles; ++file) {
        writeBytes(directory / ("other " + std::to_string(file)), "");
    }
    for (int name = kFiles; name < kOtherNames; ++name) {
        const Path file = directory / ("other " + std::to_string(name % kFiles));
        ASSERT_EQ(link(file.c_str(), (directory / ("other " + std::to_string(name))).c_str()), 0);
    }
    const auto twoHoursAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(2);
    std::vector<Path> leftovers;
    for (int made = 0; made < kLeftovers; ++made) {
        const Path& left = leftovers.emplace_back(
            directory / ("Quintara.cfg.CutShort" + std::to_string(1000 + made) + ".tmp"));
        writeBytes(left, "interrupted");
        std::filesystem::last_write_time(left, twoHoursAgo);
    }
    const auto leftoversStill = [&] {
        return std::ranges::count_if(leftovers, [](const Path& left) { return exists(left); });
    };
    ASSERT_EQ(writeFileAtomically(files, target, "new"), std::nullopt);
    EXPECT_GT(leftoversStill(), kLeftovers / 2);
    const int roundOfTheFolder = (kOtherNames + kLeftovers) / kNamesReadAtATime + 2;
    for (int save = 0; save < roundOfTheFolder && leftoversStill() > 0; ++save) {
        ASSERT_EQ(writeFileAtomically(files, target, "new"), std::nullopt);
    }
    EXPECT_EQ(leftoversStill(), 0);
}

// The copy a rewrite in place cut short left is put back only when it is private, as such a copy
// is made: one its group or others may read is a temporary file of a save by rename.
struct CopyCase {
    const char* name;
    unsigned mode;
    bool putBack;

    friend void PrintTo(const CopyCase& c, std::ostream* os) { *os << c.name; }
};

class ACopyLeftByARewrite : public AtomicWrite, public ::testing::WithParamInterface<CopyCase> {};

TEST_P(ACopyLeftByARewrite, IsPutBackOnlyWhenPrivate) {
    writeBytes(target, "damag");
    std::filesystem::create_hard_link(target, directory / "second name");
    const Path copy = directory / "Quintara.cfg.CutShort0001.tmp";
    writeBytes(copy, "whole");
    std::filesystem::permissions(copy, std::filesystem::perms(GetParam().mode));
    std::filesystem::last_write_time(
        copy, std::filesystem::last_write_time(target) - std::chrono::seconds(1));
    const auto readsWhole = [](std::istream& file) {
        return std::string(std::istreambuf_iterator<char>(file), {}) == "whole";
    };
    EXPECT_EQ(files.putBackInterruptedRewrite(target, readsWhole), GetParam().putBack);
    EXPECT_EQ(readBytes(directory / "second name"), GetParam().putBack ? "whole" : "damag");
    EXPECT_EQ(std::filesystem::exists(copy), !GetParam().putBack);
}

INSTANTIATE_TEST_SUITE_P(Cases, ACopyLeftByARewrite,
                         ::testing::Values(CopyCase{"Private", 0600, true},
                                           CopyCase{"ItsGroupMayRead", 0640, false},
                                           CopyCase{"OthersMayRead", 0604, false}),
                         [](const auto& info) { return info.param.name; });

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

// A file with a second name is written in place, so that both names show the new contents.
TEST_F(AtomicWrite, AFileWithTwoNamesKeepsBoth) {
    writeBytes(target, "old");
    std::filesystem::create_hard_link(target, directory / "second name");
    EXPECT_EQ(writeFileAtomically(files, target, "new"), std::nullopt);
    EXPECT_EQ(readBytes(target), "new");
    EXPECT_EQ(readBytes(directory / "second name"), "new");
    EXPECT_EQ(std::filesystem::hard_link_count(target), 2U);
    EXPECT_EQ(directory.names(), (Names{"Quintara.cfg", "second name"}));
}

// There the second name may be another user's, made to lead the save onto the user's file.
TEST_F(AtomicWrite, InASharedFolderAFileWithTwoNamesIsReplacedByName) {
    const Path shared = makeSharedFolder(directory / "shared") / "Quintara.cfg";
    writeBytes(directory / "victim", "your other file");
    std::filesystem::create_hard_link(directory / "victim", shared);
    EXPECT_EQ(writeFileAtomically(files, shared, "new"), std::nullopt);
    EXPECT_EQ(readBytes(shared), "new");
    EXPECT_EQ(readBytes(directory / "victim"), "your other file");
}

// The file layer with its save locks in a place of the test's, when it names one, and otherwise
// where the program keeps them.
class LocksIn final : public LocalFileLayer {
public:
    Path place;
    Path lockPlace() override { return place.empty() ? LocalFileLayer::lockPlace() : place; }
};

Path lockFolderIn(const Path& place) {
    return place / ("quintara-" + std::to_string(geteuid()));
}

// The folders a copy of the program was started with, for one test: set, or unset when null.
class StartedWith {
public:
    StartedWith(const char* runtimeFolder, const char* temporaryFolder) {
        set("XDG_RUNTIME_DIR", runtimeFolder);
        set("TMPDIR", temporaryFolder);
    }
    ~StartedWith() {
        for (const auto& [name, value] : before_) {
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
        }
    }
    StartedWith(const StartedWith&) = delete;
    StartedWith& operator=(const StartedWith&) = delete;

private:
    void set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        before_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> before_;
};

using HeldLock = std::variant<FileDescriptor, SaveLock>;

// How often the calling thread has given up the processor to wait: for a sleep, a lock, the
// disk.
long waitsSoFar() {
    rusage usage = {};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nvcsw;
}

// Another copy of Quintara of yours saving the file, started with these folders.
HeldLock anotherSave(const Path& file, const char* runtimeFolder, const char* temporaryFolder) {
    const StartedWith started(runtimeFolder, temporaryFolder);
    const FileDescriptor other(open(file.c_str(), O_RDONLY));
    auto lock = lockForWriting(other.get(), placeOfSaveLocks());
    return std::move(std::get<SaveLock>(lock));
}

// Another copy of Quintara saving the file fails the save at once, whatever folders either was
// started with; a lock on the file itself, which anyone who may read it can take, holds nothing
// up, and nor does one taken where others could have planted it.
struct LockCase {
    const char* name;
    // Takes a lock on the file as someone else would, with `elsewhere`, a folder of the test's,
    // for what it needs; may have `files` look for the locks of its saves there.
    std::function<HeldLock(const Path& file, const Path& elsewhere, LocksIn& files)> holdLock;
    bool saved;

    friend void PrintTo(const LockCase& c, std::ostream* os) { *os << c.name; }
};

class WhileAnotherHoldsALock : public AtomicWrite, public ::testing::WithParamInterface<LockCase> {
protected:
    TemporaryDirectory elsewhere;
    LocksIn lockingFiles;
};

TEST_P(WhileAnotherHoldsALock, AFileWithTwoNamesIsSavedOnlyWhenNoOtherSaveHoldsIt) {
    writeBytes(target, "old");
    std::filesystem::create_hard_link(target, directory / "second name");
    const HeldLock held = GetParam().holdLock(target, elsewhere.path(), lockingFiles);
    const StartedWith fromATerminalWithoutFolders(nullptr, nullptr);
    const long waitsBefore = waitsSoFar();
    const auto error = writeFileAtomically(lockingFiles, target, "new");
    if (GetParam().saved) {
        EXPECT_EQ(error, std::nullopt);
    } else {
        EXPECT_EQ(error, failed(FileStep::WriteInPlace, target, std::errc::operation_would_block));
        // The window's thread: a save that cannot have the lock fails without waiting for it.
        EXPECT_LE(waitsSoFar() - waitsBefore, 2);
    }
    EXPECT_EQ(readBytes(directory / "second name"), GetParam().saved ? "new" : "old");
    EXPECT_EQ(directory.names(), (Names{"Quintara.cfg", "second name"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WhileAnotherHoldsALock,
    ::testing::Values(
        LockCase{"AnotherSaveOfYours",
                 [](const Path& file, const Path&, LocksIn&) {
                     return anotherSave(file, nullptr, nullptr);
                 },
                 false},
        // Started from the desktop, which gives it a runtime folder of the session's own.
        LockCase{"AnotherSaveOfYoursStartedWithFoldersOfItsOwn",
                 [](const Path& file, const Path& elsewhere, LocksIn&) {
                     std::filesystem::create_directory(elsewhere / "runtime");
                     std::filesystem::permissions(elsewhere / "runtime",
                                                  std::filesystem::perms::owner_all);
                     return anotherSave(file, (elsewhere / "runtime").c_str(), elsewhere.c_str());
                 },
                 false},
        LockCase{"AnyoneWhoMayReadTheFileLockingIt",
                 [](const Path& file, const Path&, LocksIn&) -> HeldLock {
                     FileDescriptor reader(open(file.c_str(), O_RDONLY));
                     EXPECT_EQ(flock(reader.get(), LOCK_SH), 0);
                     return reader;
                 },
                 true},
        // As anyone may have planted it, once the folder of your locks is open to all.
        LockCase{"ALockInYourLockFolderOpenToOthers",
                 [](const Path& file, const Path& elsewhere, LocksIn& files) -> HeldLock {
                     files.place = elsewhere;
                     const FileDescriptor other(open(file.c_str(), O_RDONLY));
                     auto lock = lockForWriting(other.get(), elsewhere);
                     std::filesystem::permissions(lockFolderIn(elsewhere),
                                                  std::filesystem::perms::all);
                     return std::move(std::get<SaveLock>(lock));
                 },
                 true}),
    [](const auto& info) { return info.param.name; });

// The lock of each save goes with it: a lock file for every file ever saved would fill the
// user's lock folder without end.
TEST_F(AtomicWrite, SavesOfFilesWithTwoNamesLeaveNoLockFileBehind) {
    const TemporaryDirectory locks;
    LocksIn lockingFiles;
    lockingFiles.place = locks.path();
    for (const Path& file : {target, directory / "Other.cfg"}) {
        writeBytes(file, "old");
        std::filesystem::create_hard_link(file, file.string() + " second name");
        ASSERT_EQ(writeFileAtomically(lockingFiles, file, "new"), std::nullopt);
    }
    EXPECT_FALSE(
        lockingFiles.putBackInterruptedRewrite(target, [](std::istream&) { return false; }));
    {
        const FileDescriptor other(open(target.c_str(), O_RDONLY));
        const auto held = lockForWriting(other.get(), locks.path());
        EXPECT_EQ(TemporaryDirectory::namesIn(lockFolderIn(locks.path())).size(), 1U);
    }
    EXPECT_EQ(TemporaryDirectory::namesIn(lockFolderIn(locks.path())), Names{});
}

// Each save removes its lock file as it lets go, while another may have just opened it: a lock
// taken on a file no longer at its name must not count.
TEST_F(AtomicWrite, TwoSavesNeverHoldTheLockOfAFileAtOnce) {
    const TemporaryDirectory locks;
    writeBytes(target, "old");
    std::atomic<int> holding = 0;
    std::atomic<int> together = 0;
    std::atomic<int> taken = 0;
    auto lockOften = [&] {
        const FileDescriptor file(open(target.c_str(), O_RDONLY));
        for (int round = 0; round < 3000; ++round) {
            const auto lock = lockForWriting(file.get(), locks.path());
            const auto* held = std::get_if<SaveLock>(&lock);
            if (held != nullptr && held->holds()) {
                together += ++holding > 1 ? 1 : 0;
                ++taken;
                std::this_thread::yield();
                --holding;
            }
        }
    };
    std::vector<std::thread> saves;
    for (int save = 0; save < 4; ++save) {
        saves.emplace_back(lockOften);
    }
    for (std::thread& save : saves) {
        save.join();
    }
    EXPECT_EQ(together, 0);
    EXPECT_GT(taken, 0);
}

// The copy is the first write of the save, the new contents the second, undoing the third.
TEST_F(AtomicWrite, AFailedWriteInPlaceIsUndoneFromTheCopy) {
    writeBytes(target, "old bytes");
    std::filesystem::create_hard_link(target, directory / "second name");
    FailingFileLayer failing;
    failing.failingWrites = {2};
    EXPECT_EQ(writeFileAtomically(failing, target, "new contents, longer"),
              failed(FileStep::WriteInPlace, target, std::errc::no_space_on_device));
    EXPECT_EQ(readBytes(directory / "second name"), "old bytes");
    EXPECT_EQ(directory.names(), (Names{"Quintara.cfg", "second name"}));
}

TEST_F(AtomicWrite, WhenUndoingFailsTooTheCopyIsKeptAndNamed) {
    writeBytes(target, "old bytes");
    std::filesystem::permissions(target, std::filesystem::perms(0644));
    std::filesystem::create_hard_link(target, directory / "second name");
    FailingFileLayer failing;
    failing.failingWrites = {2, 3};
    const auto error = writeFileAtomically(failing, target, "new contents, longer");
    const Names names = directory.names();
    ASSERT_EQ(names.size(), 3U);
    const std::string& copy = names[1];
    FileFailure expected = failed(FileStep::WriteInPlace, target, std::errc::no_space_on_device);
    expected.oldContentsIn = directory / copy;
    EXPECT_EQ(error, expected);
    EXPECT_EQ(readBytes(directory / copy), "old bytes");
    EXPECT_EQ(permissionsOf(directory / copy), 0600U);
}

// Each write counts only once it is on the disk: the new file before it takes the old one's
// place, the copy of a file with two names before that file is overwritten.
struct StepsCase {
    const char* name;
    bool secondName;
    Names steps;

    friend void PrintTo(const StepsCase& c, std::ostream* os) { *os << c.name; }
};

class TheStepsOfASave : public AtomicWrite, public ::testing::WithParamInterface<StepsCase> {};

TEST_P(TheStepsOfASave, ForceEachWriteToTheDiskBeforeItCounts) {
    writeBytes(target, "old");
    if (GetParam().secondName) {
        std::filesystem::create_hard_link(target, directory / "second name");
    }
    FailingFileLayer recording;
    ASSERT_EQ(writeFileAtomically(recording, target, "new"), std::nullopt);
    EXPECT_EQ(recording.steps, GetParam().steps);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TheStepsOfASave,
    ::testing::Values(
        // The new file, then the folder that holds its new name.
        StepsCase{"Replacing", false, {"write", "sync", "replace", "sync"}},
        // The copy, the folder that holds its name, then the file itself.
        StepsCase{"RewritingInPlace", true, {"write", "sync", "sync", "write", "sync"}}),
    [](const auto& info) { return info.param.name; });

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

TEST_F(AtomicWrite, AWriteThatFailsHalfwayLeavesTheOldFileAndNothingElse) {
    writeBytes(target, "old bytes\r\n");
    FailingFileLayer failing;
    failing.failWriteHalfway = true;
    EXPECT_EQ(writeFileAtomically(failing, target, "new contents that are long"),
              failed(FileStep::WriteBeside, target, std::errc::no_space_on_device));
    EXPECT_EQ(readBytes(target), "old bytes\r\n");
    EXPECT_EQ(directory.names(), Names{"Quintara.cfg"});
}

TEST_F(AtomicWrite, ARenameThatFailsLeavesTheOldFileAndNothingElse) {
    writeBytes(target, "old bytes\r\n");
    FailingFileLayer failing;
    failing.failReplace = true;
    EXPECT_EQ(writeFileAtomically(failing, target, "new"),
              failed(FileStep::Replace, target, std::errc::permission_denied));
    EXPECT_EQ(readBytes(target), "old bytes\r\n");
    EXPECT_EQ(directory.names(), Names{"Quintara.cfg"});
}

// Not as a folder in the way, which is what a taken name says to the system.
TEST_F(AtomicWrite, ATemporaryFileGivesUpSayingEveryNameItTriedWasTaken) {
    writeBytes(directory / "Quintara.cfg.TakenTakenTa.tmp", "another save's");
    const auto created =
        createTemporaryFileBeside(target, kOnlyTheOwner, [] { return "TakenTakenTa"; });
    ASSERT_TRUE(std::holds_alternative<std::error_code>(created));
    EXPECT_EQ(std::get<std::error_code>(created), allNamesTaken());
}

TEST_F(AtomicWrite, AFolderThatIsGoneIsReported) {
    const Path gone = directory / "gone" / "Quintara.cfg";
    EXPECT_EQ(writeFileAtomically(files, gone, "new"),
              failed(FileStep::CreateTemporaryFile, gone, std::errc::no_such_file_or_directory));
}

}  // namespace
}  // namespace quintara::files
