// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace quintara::conversions {

// The settings file and the phrase sum use one single-byte character set on every platform,
// Windows-1252, so that a phrase gives the same sum everywhere ("è" counts 232). Texts inside
// the program are UTF-8.

inline constexpr char kUnmappableCharacter = '?';

// Each character becomes one byte; a character outside the set, or a malformed UTF-8 byte,
// becomes "?".
std::string encodeWindows1252(std::string_view utf8);

// Total: every byte maps to a character that encodes back to the same byte. The five bytes the
// code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of
// the same number, as Windows itself does.
std::string decodeWindows1252(std::string_view bytes);

}  // namespace quintara::conversions
