#pragma once

#include <filesystem>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quintara::platform {

// Why a file operation failed, in words the user can read (Italian), e.g.
// "la cartella è protetta da scrittura".
struct IoError {
    std::string reason;
};

// The few file operations the settings file needs, behind an interface so that tests can make
// any step fail.
class FileLayer {
public:
    virtual ~FileLayer() = default;

    // Nothing when the file cannot be opened for reading (missing, no permission).
    virtual std::unique_ptr<std::istream> openForInput(const std::filesystem::path& file) = 0;

    // Creates or empties the file, writes the contents, forces them to the disk and closes it.
    virtual std::optional<IoError> writeNewFile(const std::filesystem::path& file,
                                                std::string_view contents) = 0;

    // Renames `from` over `to` in one step: `to` is either the old file or the new one.
    virtual std::optional<IoError> replace(const std::filesystem::path& from,
                                           const std::filesystem::path& to) = 0;

    // Removes a regular file if there is one; never a directory. Failures are ignored.
    virtual void removeFileQuietly(const std::filesystem::path& file) = 0;
};

// Writes the contents to a temporary file beside the target and renames it over the target, so
// that whatever fails, the target holds either its old bytes or the new ones, never a mix, and
// no temporary file is left behind.
std::optional<IoError> writeFileAtomically(FileLayer& files, const std::filesystem::path& target,
                                           std::string_view contents);

// The temporary file writeFileAtomically uses for a target.
std::filesystem::path temporaryFileFor(const std::filesystem::path& target);

}  // namespace quintara::platform
