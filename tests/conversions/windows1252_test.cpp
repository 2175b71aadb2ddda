// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conversions/windows1252.h"

#include <gtest/gtest.h>

#include <string>

namespace quintara::conversions {
namespace {

// Bytes and the characters they stand for, written from the code page's definition (Unicode's
// published mapping of cp1252), not from the program's table: each byte from 0x80 to 0x9F that
// the code page assigns (‘ and ’ are 0x91 and 0x92), then a few of the Latin-1 half.
struct CodePageRow {
    int byte;
    const char* character;
};
constexpr CodePageRow kCodePage[] = {
    {0x80, "\u20AC"}, {0x82, "\u201A"}, {0x83, "\u0192"}, {0x84, "\u201E"}, {0x85, "\u2026"},
    {0x86, "\u2020"}, {0x87, "\u2021"}, {0x88, "\u02C6"}, {0x89, "\u2030"}, {0x8A, "\u0160"},
    {0x8B, "\u2039"}, {0x8C, "\u0152"}, {0x8E, "\u017D"}, {0x91, "\u2018"}, {0x92, "\u2019"},
    {0x93, "\u201C"}, {0x94, "\u201D"}, {0x95, "\u2022"}, {0x96, "\u2013"}, {0x97, "\u2014"},
    {0x98, "\u02DC"}, {0x99, "\u2122"}, {0x9A, "\u0161"}, {0x9B, "\u203A"}, {0x9C, "\u0153"},
    {0x9E, "\u017E"}, {0x9F, "\u0178"}, {0xA0, "\u00A0"}, {0xE8, "\u00E8"}, {0xFF, "\u00FF"},
    {'a', "a"},
};

TEST(Windows1252, EachCharacterHasItsCodePageByte) {
    for (const auto& [byte, character] : kCodePage) {
        const std::string bytes(1, static_cast<char>(byte));
        EXPECT_EQ(encodeWindows1252(character), bytes) << "byte " << std::hex << byte;
        EXPECT_EQ(decodeWindows1252(bytes), character) << "byte " << std::hex << byte;
    }
}

TEST(Windows1252, CharactersOutsideTheSetBecomeQuestionMarks) {
    EXPECT_EQ(encodeWindows1252("Łódź"),
              "?\xF3"
              "d?");
    EXPECT_EQ(encodeWindows1252("日本"), "??");
    EXPECT_EQ(encodeWindows1252("🎲"), "?");
    // U+0080, U+008C, U+009F: control characters, not the "€", "Œ" and "Ÿ" of those bytes.
    EXPECT_EQ(encodeWindows1252("\u0080\u008C\u009F"), "???");
}

TEST(Windows1252, MalformedUtf8BecomesOneQuestionMarkPerByte) {
    EXPECT_EQ(encodeWindows1252("a\xC3"), "a?");     // cut short
    EXPECT_EQ(encodeWindows1252("\xC0\xAF"), "??");  // overlong
    EXPECT_EQ(encodeWindows1252("\xE8x"), "?x");     // a raw Windows-1252 byte
}

TEST(Windows1252, EveryByteDecodesAndEncodesBackToItself) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string original(1, static_cast<char>(byte));
        EXPECT_EQ(encodeWindows1252(decodeWindows1252(original)), original) << "byte " << byte;
    }
}

TEST(Windows1252, UndefinedBytesDecodeToTheirControlCharacters) {
    EXPECT_EQ(decodeWindows1252("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
}

}  // namespace
}  // namespace quintara::conversions
