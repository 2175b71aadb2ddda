// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>

namespace quintara::conversions {

// Reads a sequential text file one field at a time, as list input does:
// - leading blanks and tabs are skipped;
// - a field ends at a comma or at the end of the line;
// - a field that begins with a double quote ends at the closing quote (or the end of the
//   line), the quotes are dropped and the rest up to the next comma or line end is skipped;
// - CR LF, a lone LF and a lone CR all end a line, so a file edited on Linux or on an old Mac
//   reads the same as one written by the program.
// Fields are returned as the file's bytes, undecoded.
class ListInput {
public:
    // One field may not take more than this many bytes of the file; reading a longer one is a
    // failure, which bounds the time and memory any file can cost.
    static constexpr std::size_t kMaxFieldBytes = 64 * 1024;

    explicit ListInput(std::istream& in) : in_(*in.rdbuf()) {}

    // The next field; nothing when reading past the end of the file, on a read error or for a
    // field longer than kMaxFieldBytes. After a failure the input stays failed.
    std::optional<std::string> readField();

private:
    enum class Stop { Comma, LineEnd, EndOfFile };

    int peek();
    void take();
    bool overLimit() const { return consumed_ > kMaxFieldBytes; }
    Stop readUntilDelimiter(std::string* field);
    void finishLine(Stop stop);

    std::streambuf& in_;
    std::size_t consumed_ = 0;
    bool failed_ = false;
};

}  // namespace quintara::conversions
