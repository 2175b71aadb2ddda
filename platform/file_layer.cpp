#include "platform/file_layer.h"

namespace quintara::platform {

std::filesystem::path temporaryFileFor(const std::filesystem::path& target) {
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    return temporary;
}

std::optional<IoError> writeFileAtomically(FileLayer& files, const std::filesystem::path& target,
                                           std::string_view contents) {
    const std::filesystem::path temporary = temporaryFileFor(target);
    std::optional<IoError> error = files.writeNewFile(temporary, contents);
    if (!error) {
        error = files.replace(temporary, target);
    }
    if (error) {
        files.removeFileQuietly(temporary);
    }
    return error;
}

}  // namespace quintara::platform
