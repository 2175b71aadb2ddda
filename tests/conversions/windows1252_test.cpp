// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conversions/windows1252.h"

#include <gtest/gtest.h>

namespace quintara::conversions {
namespace {

TEST(Windows1252, AccentedLettersHaveTheirCodePageCodes) {
    EXPECT_EQ(encodeWindows1252("è"), "\xE8");
    EXPECT_EQ(encodeWindows1252("€"), "\x80");
    EXPECT_EQ(encodeWindows1252("Œuvre"), "\x8Cuvre");
    EXPECT_EQ(encodeWindows1252("plain"), "plain");
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
    EXPECT_EQ(decodeWindows1252("\x81"), "\xC2\x81");
    EXPECT_EQ(decodeWindows1252("\x80"), "€");
    EXPECT_EQ(decodeWindows1252("caff\xE8"), "caffè");
}

}  // namespace
}  // namespace quintara::conversions
