#pragma once

#include <optional>

#include "platform/local_file_layer.h"

namespace quintara::testing {

// The real file layer, with a fault injected at a chosen step. Root ignores permission bits, so
// tests provoke failures this way or with a directory in the way.
class FailingFileLayer final : public platform::FileLayer {
public:
    // Writes only the first half of the contents, then reports a full disk.
    bool failWriteHalfway = false;
    bool failReplace = false;

    std::unique_ptr<std::istream> openForInput(const std::filesystem::path& file) override {
        return real_.openForInput(file);
    }
    std::optional<platform::IoError> writeNewFile(const std::filesystem::path& file,
                                                  std::string_view contents) override {
        if (failWriteHalfway) {
            real_.writeNewFile(file, contents.substr(0, contents.size() / 2));
            return platform::IoError{"il disco è pieno"};
        }
        return real_.writeNewFile(file, contents);
    }
    std::optional<platform::IoError> replace(const std::filesystem::path& from,
                                             const std::filesystem::path& to) override {
        if (failReplace) {
            return platform::IoError{"accesso negato"};
        }
        return real_.replace(from, to);
    }
    void removeFileQuietly(const std::filesystem::path& file) override {
        ++removals;
        real_.removeFileQuietly(file);
    }

    int removals = 0;

private:
    platform::LocalFileLayer real_;
};

}  // namespace quintara::testing
