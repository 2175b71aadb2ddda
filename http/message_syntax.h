// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The pieces of HTTP/1.1's syntax (RFC 9110, RFC 9112) an answer is read with.
namespace quintara::http {

// The status line of an HTTP/1.x answer: "HTTP/1.1 200 OK", the reason optional.
struct StatusLine {
    int status = 0;
    bool http10 = false;  // an HTTP/1.0 answer, which knows no transfer codings
};

std::optional<StatusLine> statusLineOf(std::string_view line);

// A field line as sent: its name (the blanks before the colon dropped, as a proxy drops them)
// and its value. None for a line that is no field: without a colon, or whose name is no token.
struct FieldLine {
    std::string_view name;
    std::string_view value;
};

std::optional<FieldLine> fieldLineOf(std::string_view line);

bool isBlank(char c);
std::string_view withoutBlanks(std::string_view text);
std::string lowerCase(std::string_view text);

// Every control character but the tab, which ends no line, turned into a space.
void blankControlCharacters(std::string& text);

// How a body ends, from the values of its head's Content-Length and Transfer-Encoding fields.
struct Length {
    std::uint64_t bytes = 0;
};
struct Chunked {};
struct UntilClosed {};
struct UnknownLength {};  // a Content-Length neither one number nor the same number repeated
struct UnknownCoding {};  // a transfer coding other than chunked alone

using BodyFraming = std::variant<Length, Chunked, UntilClosed, UnknownLength, UnknownCoding>;

BodyFraming bodyFramingOf(const std::vector<std::string>& contentLengths,
                          const std::vector<std::string>& transferEncodings, bool http10);

// The size a chunk's size line gives, in hexadecimal, before any extensions (whose names and
// values the band has no use for). None for a line that gives none, or a size past 60 bits.
std::optional<std::uint64_t> chunkSizeOf(std::string_view line);

}  // namespace quintara::http
