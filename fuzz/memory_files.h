// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <ios>
#include <istream>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <streambuf>
#include <string>
#include <string_view>
#include <utility>

#include "files/file_layer.h"
#include "support/memory_file_layer.h"

namespace quintara::fuzzing {

// A read-only stream buffer over a copy of some bytes. It hands them out `chunk` bytes at a time,
// so that readers meet the refills a file stream makes, and counts how many bytes it handed
// out. From `failAt` on it throws, as a file stream does on a read error.
class ChunkedBytes final : public std::streambuf {
public:
    static constexpr std::size_t kNeverFails = std::numeric_limits<std::size_t>::max();

    ChunkedBytes(std::string bytes, std::size_t chunk, std::size_t failAt = kNeverFails)
        : bytes_(std::move(bytes)), chunk_(std::max<std::size_t>(chunk, 1)), failAt_(failAt) {}

    // Bytes handed to the reader so far, including any it only looked at.
    std::size_t fetched() const { return fetched_; }

protected:
    int_type underflow() override {
        if (gptr() < egptr()) {
            return traits_type::to_int_type(*gptr());
        }
        if (fetched_ >= failAt_) {
            throw std::ios_base::failure("read error");
        }
        if (fetched_ >= bytes_.size()) {
            return traits_type::eof();
        }
        const std::size_t end = std::min({fetched_ + chunk_, bytes_.size(), failAt_});
        char* const base = bytes_.data();
        setg(base + fetched_, base + fetched_, base + end);
        fetched_ = end;
        return traits_type::to_int_type(*gptr());
    }

private:
    std::string bytes_;
    std::size_t chunk_;
    std::size_t failAt_;
    std::size_t fetched_ = 0;
};

// An input stream over ChunkedBytes that reports, when it is closed, how many bytes were read.
class ByteStream final : public std::istream {
public:
    ByteStream(std::string bytes, std::size_t chunk, std::size_t* fetchedOnClose)
        : std::istream(nullptr), buffer_(std::move(bytes), chunk), fetchedOnClose_(fetchedOnClose) {
        rdbuf(&buffer_);
    }
    ~ByteStream() override {
        if (fetchedOnClose_ != nullptr) {
            *fetchedOnClose_ = buffer_.fetched();
        }
    }

private:
    ChunkedBytes buffer_;
    std::size_t* fetchedOnClose_;
};

// Files kept in memory. With the default chunk of one byte, reads go one byte at a time, so
// `lastBytesRead` is exactly what the last reader pulled from its file (plus the one byte it may
// have looked ahead); a larger chunk reads faster.
class MemoryFiles final : public quintara::testing::MemoryFileLayer {
public:
    explicit MemoryFiles(std::size_t readChunk = 1) : readChunk_(readChunk) {}

    std::unique_ptr<std::istream> openForInput(const std::filesystem::path& file) override {
        const auto found = files.find(file);
        if (found == files.end()) {
            return nullptr;
        }
        return std::make_unique<ByteStream>(found->second, readChunk_, &lastBytesRead);
    }

    std::size_t lastBytesRead = 0;

private:
    std::size_t readChunk_;
};

}  // namespace quintara::fuzzing
