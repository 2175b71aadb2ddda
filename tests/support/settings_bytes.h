// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/draw_conditions.h"

namespace quintara::testing {

// Lines as given, each ended by `end`: for files that are not fourteen lines.
inline std::string linesOf(const std::vector<std::string>& lines, std::string_view end = "\r\n") {
    std::string file;
    for (const auto& line : lines) {
        file.append(line).append(end);
    }
    return file;
}

// The fourteen lines of a settings file as they stand in it: texts in Windows-1252, never quoted.
// Left as they are, they make the file the untouched conditions dialog saves.
struct SettingsLines {
    std::optional<settings::ConditionKind> kind = settings::ConditionKind::NoCondition;
    std::string first = "", second = "", phrase = "", rangeTo = "90", rangeFrom = "1", tens = "";
    std::string jollyNumber = "1", randomColour = "0";
    std::vector<std::string> kindLines = {};  // as written, in place of those `kind` gives
    std::string_view lineEnd = "\r\n";
};

inline std::string settingsBytes(const SettingsLines& file) {
    using enum settings::ConditionKind;
    std::vector<std::string> lines = file.kindLines;
    // In the file's order, however the code numbers the kinds.
    for (const auto kind : {MustContain, Phrase, NoCondition, EvenOnly, OddOnly, TensDigit}) {
        if (file.kindLines.empty()) {
            lines.push_back(file.kind == kind ? "1" : "0");
        }
    }
    lines.insert(lines.end(), {file.first, file.second, file.phrase, file.rangeTo, file.rangeFrom,
                               file.tens, file.jollyNumber, file.randomColour});
    return linesOf(lines, file.lineEnd);
}

}  // namespace quintara::testing
