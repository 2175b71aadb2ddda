// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conversions/windows1252.h"

#include <array>
#include <cstdint>
#include <optional>

namespace quintara::conversions {
namespace {

// Characters of bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t characterOfByte(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControlRange[byte - 0x80];
    }
    return byte;
}

std::optional<unsigned char> byteOfCharacter(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<unsigned char>(character);
    }
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == character) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t character) {
    if (character < 0x80) {
        out.push_back(static_cast<char>(character));
    } else if (character < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (character >> 6)));
        out.push_back(static_cast<char>(0x80 | (character & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (character >> 12)));
        out.push_back(static_cast<char>(0x80 | ((character >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (character & 0x3F)));
    }
}

struct DecodedCharacter {
    std::optional<char32_t> character;  // nothing for a malformed sequence
    std::size_t length;
};

// Reads one UTF-8 sequence; a malformed one is consumed one byte at a time.
DecodedCharacter readUtf8(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    // Sequence length, payload bits of the lead byte, and the smallest character that needs
    // this length (anything below is an overlong, malformed encoding).
    struct Form {
        unsigned char mask, pattern;
        std::size_t length;
        char32_t smallest;
    };
    constexpr std::array<Form, 3> kForms = {
        {{0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}}};
    const Form* form = nullptr;
    for (const Form& candidate : kForms) {
        if ((lead & candidate.mask) == candidate.pattern) {
            form = &candidate;
        }
    }
    if (form == nullptr) {
        return {std::nullopt, 1};
    }
    const std::size_t length = form->length;
    char32_t character = lead & static_cast<unsigned char>(~form->mask);
    if (at + length > text.size()) {
        return {std::nullopt, 1};
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            return {std::nullopt, 1};
        }
        character = (character << 6) | (next & 0x3F);
    }
    if (character < form->smallest || character > 0x10FFFF) {
        return {std::nullopt, 1};
    }
    return {character, length};
}

}  // namespace

std::string encodeWindows1252(std::string_view utf8) {
    std::string bytes;
    bytes.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const DecodedCharacter decoded = readUtf8(utf8, at);
        at += decoded.length;
        const auto byte = decoded.character ? byteOfCharacter(*decoded.character) : std::nullopt;
        bytes.push_back(byte ? static_cast<char>(*byte) : kUnmappableCharacter);
    }
    return bytes;
}

std::string decodeWindows1252(std::string_view bytes) {
    std::string utf8;
    utf8.reserve(bytes.size());
    for (const char byte : bytes) {
        appendUtf8(utf8, characterOfByte(static_cast<unsigned char>(byte)));
    }
    return utf8;
}

}  // namespace quintara::conversions
