// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace quintara::testing {

inline void writeBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A fresh directory for one test, removed with everything in it afterwards.
class TemporaryDirectory {
public:
    TemporaryDirectory() {
        std::random_device entropy;
        path_ = std::filesystem::temp_directory_path() /
                ("quintara-test-" + std::to_string(entropy()) + std::to_string(entropy()));
        std::filesystem::create_directories(path_);
    }
    ~TemporaryDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

    // The names of what the directory holds, in order: tests check that nothing was left behind.
    std::vector<std::string> names() const { return namesIn(path_); }
    static std::vector<std::string> namesIn(const std::filesystem::path& folder) {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            found.push_back(entry.path().filename().string());
        }
        std::sort(found.begin(), found.end());
        return found;
    }

    // Everything the directory holds, a line an entry: each file with its contents, each link
    // with where it leads, never reading a special file. Tests compare it before and after a
    // save that must change nothing.
    std::vector<std::string> everything() const {
        std::vector<std::string> found;
        describeInto(path_, found);
        std::sort(found.begin(), found.end());
        return found;
    }

private:
    void describeInto(const std::filesystem::path& folder, std::vector<std::string>& found) const {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const auto status = entry.symlink_status();
            std::string line = entry.path().lexically_relative(path_).string();
            if (std::filesystem::is_symlink(status)) {
                line += " -> " + std::filesystem::read_symlink(entry.path()).string();
            } else if (std::filesystem::is_regular_file(status)) {
                line += ": " + readBytes(entry.path());
            } else if (std::filesystem::is_directory(status)) {
                line += "/";
                describeInto(entry.path(), found);
            } else {
                line += " (special)";
            }
            found.push_back(line);
        }
    }

    std::filesystem::path path_;
};

}  // namespace quintara::testing
