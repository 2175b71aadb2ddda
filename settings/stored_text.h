// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <variant>

namespace quintara::settings {

// Why the settings file cannot hold a text.
enum class Unstorable {
    // It begins with a double quote, or needs enclosing quotes while holding one.
    DoubleQuote,
    LineBreak,
    // Longer than list input reads back as one field.
    TooLong,
};

// The line that stores a text (Windows-1252 bytes) so that list input reads it back unchanged:
// the text itself when that reads back as it is (`Mario "il Grande"` included); otherwise the
// text in double quotes when that does (it holds a comma or begins with a blank); otherwise why
// no line can.
std::variant<std::string, Unstorable> storedLineFor(std::string_view text);

}  // namespace quintara::settings
