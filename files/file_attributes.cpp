// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/file_attributes.h"

#include <acl/libacl.h>
#include <attr/error_context.h>
#include <attr/libattr.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "files/file_descriptor.h"

namespace quintara::files {
namespace {

// libacl reports a failure through an error context, with the system's error still in errno;
// the first one is the cause, what follows may be the clean-up's.
struct FirstError {
    error_context context{&note, nullptr, nullptr};
    int number = 0;

    static void note(error_context* context, const char*, ...) {
        // The context is the first member, so it lies where the whole does.
        auto* self = reinterpret_cast<FirstError*>(context);
        if (self->number == 0) {
            self->number = errno;
        }
    }
};

// Every attribute but those /etc/xattr.conf says to skip, and the access control list, which
// comes next and on its own.
int worthCopying(const char* name, error_context* context) {
    return attr_copy_action(name, context) != ATTR_ACTION_SKIP &&
           std::string_view(name) != "system.posix_acl_access";
}

// A file system with no place at all for a mode or a list (FAT) says so with these; one that has
// a place but refuses says something else, and the save fails.
bool cannotHold(int error) {
    return error == ENOSYS || error == EOPNOTSUPP;
}

}  // namespace

unsigned permissionsOf(int descriptor) {
    struct stat status = {};
    return fstat(descriptor, &status) == 0 ? status.st_mode & 07777U : 0;
}

std::error_code giveAttributes(int descriptor, int from) {
    struct stat old = {};
    if (fstat(from, &old) != 0) {
        return lastSystemError();
    }
    // First whose the file is, so that the rights given next go to the people they were meant
    // for; a change of owner also clears the set-user and set-group bits given last.
    if (fchown(descriptor, old.st_uid, old.st_gid) != 0 &&
        fchown(descriptor, static_cast<uid_t>(-1), old.st_gid) != 0) {
        // Only root may give a file away, and only members may give it to a group: the new file
        // stays the user's, which is no reason to fail the save.
    }
    // A note or a label the file system cannot hold, or that only the system may set, is left
    // out: whatever fails here is no reason to fail the save.
    attr_copy_fd("", from, "", descriptor, worthCopying, nullptr);
    // The old file's list, or none at all where it had none: a list the folder's default gave
    // the new file would, once the rights are given, let in people the old file did not. Where
    // the file system keeps no lists, the rights alone, as a list that says no more than they do.
    FirstError failure;
    if (perm_copy_fd("", from, "", descriptor, &failure.context) != 0) {
        const int error = failure.number != 0 ? failure.number : errno;
        // A file system that holds neither a list nor the rights (FAT through FUSE) loses nothing
        // of an old file that had no list of its own.
        if (!cannotHold(error) || acl_extended_fd(from) == 1) {
            return {error, std::generic_category()};
        }
    }
    // The rights last, with the set-user, set-group and sticky bits that no list holds.
    if (fchmod(descriptor, old.st_mode & 07777U) != 0 && !cannotHold(errno)) {
        return lastSystemError();
    }
    return {};
}

}  // namespace quintara::files
