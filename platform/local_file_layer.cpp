// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/local_file_layer.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <random>

#ifdef _WIN32
#include <io.h>
#include <share.h>
#else
#include <unistd.h>
#endif

namespace quintara::platform {
namespace {

// As many links as the system itself follows before it gives up on a loop.
constexpr int kMostLinksFollowed = 40;
constexpr int kMostNamesTried = 100;

std::error_code lastSystemError() {
    return {errno, std::generic_category()};
}

IoError failure(std::string_view whatFailed, const std::filesystem::path& file,
                std::error_code error) {
    return IoError{std::string(whatFailed) + " " + file.filename().string() + " (" +
                   describeError(error) + ")"};
}

// Twelve letters or digits from the system's entropy: about 71 bits that nobody can guess to
// plant a link or a file under the name beforehand.
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

#ifdef _WIN32
int createExclusively(const std::filesystem::path& file) {
    int descriptor = -1;
    _wsopen_s(&descriptor, file.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
              _SH_DENYNO, _S_IREAD | _S_IWRITE);
    return descriptor;
}
long writeSome(int descriptor, std::string_view bytes) {
    return _write(descriptor, bytes.data(),
                  static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1U << 30)));
}
int syncFile(int descriptor) {
    return _commit(descriptor);
}
int closeFile(int descriptor) {
    return _close(descriptor);
}
std::optional<unsigned> permissionsOf(const std::filesystem::path&) {
    return std::nullopt;
}
int setPermissions(int, unsigned) {
    return 0;
}
void syncFolder(const std::filesystem::path&) {}
#else
int createExclusively(const std::filesystem::path& file) {
    // The mode is the user's default once the umask and any default ACL of the folder apply.
    constexpr mode_t kEveryoneMayReadAndWrite = 0666;
    return open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                kEveryoneMayReadAndWrite);
}
long writeSome(int descriptor, std::string_view bytes) {
    return write(descriptor, bytes.data(), bytes.size());
}
int syncFile(int descriptor) {
    return fsync(descriptor);
}
int closeFile(int descriptor) {
    return close(descriptor);
}
std::optional<unsigned> permissionsOf(const std::filesystem::path& file) {
    struct stat status = {};
    if (stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return status.st_mode & 07777U;
}
int setPermissions(int descriptor, unsigned permissions) {
    return fchmod(descriptor, static_cast<mode_t>(permissions));
}
// A rename is only lasting once the folder holding it is on the disk too. Some file systems
// cannot sync a folder; the file itself is in place by then, so that is not a failed save.
void syncFolder(const std::filesystem::path& folder) {
    const int descriptor =
        open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        fsync(descriptor);
        close(descriptor);
    }
}
#endif

}  // namespace

std::string describeError(std::error_code error) {
    const std::error_condition condition = error.default_error_condition();
    if (condition == std::errc::permission_denied ||
        condition == std::errc::operation_not_permitted) {
        return "accesso negato";
    }
    if (condition == std::errc::read_only_file_system) {
        return "il disco è di sola lettura";
    }
    if (condition == std::errc::no_space_on_device) {
        return "il disco è pieno";
    }
    if (condition == std::errc::is_a_directory) {
        return "al suo posto c'è una cartella";
    }
    if (condition == std::errc::no_such_file_or_directory) {
        return "la cartella non esiste più";
    }
    if (condition == std::errc::directory_not_empty || condition == std::errc::file_exists) {
        return "al suo posto c'è una cartella non vuota";
    }
    if (condition == std::errc::too_many_symbolic_link_levels) {
        return "i collegamenti simbolici formano un giro senza fine";
    }
    if (condition == std::errc::io_error) {
        return "errore di lettura o scrittura sul disco";
    }
    return "errore di sistema " + std::to_string(error.value()) + ": " + error.message();
}

std::unique_ptr<std::istream> LocalFileLayer::openForInput(const std::filesystem::path& file) {
    auto stream = std::make_unique<std::ifstream>(file, std::ios::binary);
    if (!stream->is_open()) {
        return nullptr;
    }
    return stream;
}

std::variant<std::filesystem::path, IoError> LocalFileLayer::followLinks(
    const std::filesystem::path& file) {
    std::filesystem::path current = file;
    for (int followed = 0; followed < kMostLinksFollowed; ++followed) {
        std::error_code error;
        const auto status = std::filesystem::symlink_status(current, error);
        if (!std::filesystem::is_symlink(status)) {
            // A missing file, a dangling link's target included, is created where it is named.
            return current;
        }
        const std::filesystem::path next = std::filesystem::read_symlink(current, error);
        if (error) {
            return failure("impossibile seguire il collegamento", current, error);
        }
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return failure("impossibile seguire il collegamento", file,
                   std::make_error_code(std::errc::too_many_symbolic_link_levels));
}

std::variant<std::filesystem::path, IoError> LocalFileLayer::writeTemporaryFileBeside(
    const std::filesystem::path& target, std::string_view contents) {
    std::filesystem::path temporary;
    int descriptor = -1;
    for (int tried = 0; descriptor < 0 && tried < kMostNamesTried; ++tried) {
        temporary = target;
        temporary += "." + unforeseeableSuffix() + ".tmp";
        descriptor = createExclusively(temporary);
        if (descriptor < 0 && errno != EEXIST) {
            break;
        }
    }
    if (descriptor < 0) {
        return failure("impossibile creare un file temporaneo accanto a", target,
                       lastSystemError());
    }

    std::optional<IoError> error;
    const auto permissions = permissionsOf(target);
    if (permissions && setPermissions(descriptor, *permissions) != 0) {
        error = failure("impossibile dare i permessi di", target, lastSystemError());
    } else if (const std::error_code written = writeAndSync(descriptor, contents)) {
        error = failure("impossibile scrivere accanto a", target, written);
    }
    if (closeFile(descriptor) != 0 && !error) {
        error = failure("impossibile completare la scrittura accanto a", target, lastSystemError());
    }
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return *error;
    }
    return temporary;
}

std::error_code LocalFileLayer::writeAndSync(int descriptor, std::string_view contents) {
    while (!contents.empty()) {
        const long written = writeSome(descriptor, contents);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return written == 0 ? std::make_error_code(std::errc::no_space_on_device)
                                : lastSystemError();
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    if (syncFile(descriptor) != 0) {
        return lastSystemError();
    }
    return {};
}

std::optional<IoError> LocalFileLayer::replace(const std::filesystem::path& from,
                                               const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (error) {
        return failure("impossibile sostituire", to, error);
    }
    syncFolder(to.parent_path());
    return std::nullopt;
}

void LocalFileLayer::removeFileQuietly(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(file, error);
    if (!error && !std::filesystem::is_directory(status) && std::filesystem::exists(status)) {
        std::filesystem::remove(file, error);
    }
}

}  // namespace quintara::platform
