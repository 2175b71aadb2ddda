#pragma once

#include <map>
#include <sstream>

#include "platform/file_layer.h"

namespace quintara::testing {

// Files kept in memory: fast enough for tests that save thousands of times.
class MemoryFileLayer : public platform::FileLayer {
public:
    std::unique_ptr<std::istream> openForInput(const std::filesystem::path& file) override {
        const auto found = files.find(file);
        if (found == files.end()) {
            return nullptr;
        }
        return std::make_unique<std::istringstream>(found->second);
    }
    std::optional<platform::IoError> writeNewFile(const std::filesystem::path& file,
                                                  std::string_view contents) override {
        files[file] = std::string(contents);
        return std::nullopt;
    }
    std::optional<platform::IoError> replace(const std::filesystem::path& from,
                                             const std::filesystem::path& to) override {
        const auto found = files.find(from);
        if (found == files.end()) {
            return platform::IoError{"il file non esiste"};
        }
        std::string contents = std::move(found->second);
        files.erase(found);
        files[to] = std::move(contents);
        return std::nullopt;
    }
    void removeFileQuietly(const std::filesystem::path& file) override { files.erase(file); }

    std::map<std::filesystem::path, std::string> files;
};

}  // namespace quintara::testing
