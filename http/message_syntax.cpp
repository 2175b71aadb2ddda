// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "http/message_syntax.h"

#include <algorithm>
#include <cctype>

namespace quintara::http {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isTokenCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return std::isalnum(byte) != 0 ||
           std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

// The elements of comma-separated lists, without their blanks; empty elements are left out, as
// a list may hold them.
std::vector<std::string_view> listElements(const std::vector<std::string>& values) {
    std::vector<std::string_view> elements;
    for (const std::string& value : values) {
        std::string_view rest = value;
        while (!rest.empty()) {
            const std::size_t comma = std::min(rest.find(','), rest.size());
            const std::string_view element = withoutBlanks(rest.substr(0, comma));
            if (!element.empty()) {
                elements.push_back(element);
            }
            rest.remove_prefix(std::min(comma + 1, rest.size()));
        }
    }
    return elements;
}

// Up to 18 digits: more than any answer of ours could be long, and within 64 bits.
std::optional<std::uint64_t> decimalOf(std::string_view digits) {
    if (digits.empty() || digits.size() > 18 ||
        !std::all_of(digits.begin(), digits.end(), isDigit)) {
        return std::nullopt;
    }
    std::uint64_t number = 0;
    for (const char digit : digits) {
        number = number * 10 + static_cast<std::uint64_t>(digit - '0');
    }
    return number;
}

}  // namespace

std::optional<StatusLine> statusLineOf(std::string_view line) {
    constexpr std::string_view kVersion = "HTTP/1.";
    // "HTTP/1.x NNN", then the end of the line or a blank and the reason.
    if (line.size() < 12 || !line.starts_with(kVersion) || !isDigit(line[7]) || line[8] != ' ' ||
        !std::all_of(line.begin() + 9, line.begin() + 12, isDigit) ||
        (line.size() > 12 && line[12] != ' ')) {
        return std::nullopt;
    }
    const int status = (line[9] - '0') * 100 + (line[10] - '0') * 10 + (line[11] - '0');
    if (status < 100 || status > 599) {
        return std::nullopt;
    }
    return StatusLine{status, line[7] == '0'};
}

std::optional<FieldLine> fieldLineOf(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view name = line.substr(0, colon);
    while (!name.empty() && isBlank(name.back())) {
        name.remove_suffix(1);
    }
    if (name.empty() || !std::all_of(name.begin(), name.end(), isTokenCharacter)) {
        return std::nullopt;
    }
    return FieldLine{name, withoutBlanks(line.substr(colon + 1))};
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view withoutBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    });
    return lower;
}

void blankControlCharacters(std::string& text) {
    std::replace_if(
        text.begin(), text.end(),
        [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return (byte < 0x20 && c != '\t') || byte == 0x7f;
        },
        ' ');
}

// As HTTP/1.1 reads them (RFC 9112, section 6.3): chunked alone frames the body whatever a
// length says; a transfer coding we cannot undo, or any in an HTTP/1.0 answer, leaves the body
// without a known end; so does a length that is not one number, though repeated alike it is one.
BodyFraming bodyFramingOf(const std::vector<std::string>& contentLengths,
                          const std::vector<std::string>& transferEncodings, bool http10) {
    if (!transferEncodings.empty()) {
        const std::vector<std::string_view> codings = listElements(transferEncodings);
        if (http10 || codings.size() != 1 || lowerCase(codings.front()) != "chunked") {
            return UnknownCoding{};
        }
        return Chunked{};
    }
    if (contentLengths.empty()) {
        return UntilClosed{};
    }
    std::optional<std::uint64_t> length;
    for (const std::string_view element : listElements(contentLengths)) {
        const std::optional<std::uint64_t> each = decimalOf(element);
        if (!each || (length && *length != *each)) {
            return UnknownLength{};
        }
        length = each;
    }
    if (!length) {
        return UnknownLength{};
    }
    return Length{*length};
}

std::optional<std::uint64_t> chunkSizeOf(std::string_view line) {
    constexpr std::size_t kMostDigits = 15;
    std::uint64_t size = 0;
    std::size_t digits = 0;
    for (; digits < line.size() && std::isxdigit(static_cast<unsigned char>(line[digits])) != 0;
         ++digits) {
        if (digits == kMostDigits) {
            return std::nullopt;
        }
        const char digit =
            static_cast<char>(std::tolower(static_cast<unsigned char>(line[digits])));
        size =
            size * 16 + static_cast<std::uint64_t>(isDigit(digit) ? digit - '0' : digit - 'a' + 10);
    }
    // Blanks may stand before an extension's semicolon (RFC 9112, section 7.1.1), and are
    // taken after the size alone too, as browsers take them.
    const std::string_view rest = withoutBlanks(line.substr(digits));
    if (digits == 0 || (!rest.empty() && rest.front() != ';')) {
        return std::nullopt;
    }
    return size;
}

}  // namespace quintara::http
