#pragma once

#include "platform/file_layer.h"

namespace quintara::platform {

// The machine's own file system.
class LocalFileLayer final : public FileLayer {
public:
    std::unique_ptr<std::istream> openForInput(const std::filesystem::path& file) override;
    std::optional<IoError> writeNewFile(const std::filesystem::path& file,
                                        std::string_view contents) override;
    std::optional<IoError> replace(const std::filesystem::path& from,
                                   const std::filesystem::path& to) override;
    void removeFileQuietly(const std::filesystem::path& file) override;
};

// Italian words for a system error, for messages such as
// "Impossibile salvare le condizioni in Quintara.cfg: <reason>."
std::string describeError(std::error_code error);

}  // namespace quintara::platform
