// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/stored_text.h"

#include <sstream>

#include "conversions/list_input.h"

namespace quintara::settings {
namespace {

// Asks the reader itself, so that the writer can never disagree with it.
bool readsBackAs(const std::string& line, std::string_view text) {
    std::istringstream file(line + "\r\n");
    conversions::ListInput input(file);
    const auto field = input.readField();
    return field && *field == text;
}

}  // namespace

std::variant<std::string, Unstorable> storedLineFor(std::string_view text) {
    if (text.find_first_of("\r\n") != std::string_view::npos) {
        return Unstorable::LineBreak;
    }
    std::string line(text);
    if (readsBackAs(line, text)) {
        return line;
    }
    line = '"' + line + '"';
    if (readsBackAs(line, text)) {
        return line;
    }
    const bool tooLong = text.size() > conversions::ListInput::kMaxFieldBytes;
    const bool quoted = text.find('"') != std::string_view::npos;
    return text.starts_with('"') || (quoted && !tooLong) ? Unstorable::DoubleQuote
                                                         : Unstorable::TooLong;
}

}  // namespace quintara::settings
