// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quintara::settings {

// The line that stores a text (Windows-1252 bytes) so that list input reads it back unchanged:
// the text itself when that reads back as it is (`Mario "il Grande"` included); otherwise the
// text in double quotes when that does (it holds a comma or begins with a blank); otherwise
// nothing -- it begins with a double quote, holds a line break, needs the quotes while holding
// one, or is too long to be read back as one field.
std::optional<std::string> storedLineFor(std::string_view text);

}  // namespace quintara::settings
