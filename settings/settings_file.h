// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "files/file_layer.h"
#include "settings/draw_conditions.h"
#include "settings/stored_text.h"

namespace quintara::settings {

// The settings file: fourteen lines, CR LF each, Windows-1252. Its name, which main() hands the
// windows as the file's place: relative, it lies in the working folder of the moment.
inline constexpr char kSettingsFileName[] = "Quintara.cfg";

// The six text fields of DrawConditions, in file order (lines 7 to 12).
enum class TextField { FirstNumber, SecondNumber, Phrase, RangeTo, RangeFrom, TensDigits };

// The member of DrawConditions that holds each text field, indexed by TextField.
inline constexpr std::array<std::string DrawConditions::*, 6> kTextMembers = {
    &DrawConditions::firstNumber, &DrawConditions::secondNumber, &DrawConditions::phrase,
    &DrawConditions::rangeTo,     &DrawConditions::rangeFrom,    &DrawConditions::tensDigits};

constexpr TextField textFieldAt(std::size_t index) {
    return static_cast<TextField>(index);
}

// A text the file cannot hold, and why.
struct UnstorableText {
    TextField field;
    Unstorable why;

    friend bool operator==(const UnstorableText&, const UnstorableText&) = default;
};

// Why a save did not happen. Either way the old file is exactly as it was.
using SaveFailure = std::variant<UnstorableText, files::FileFailure>;

// What a read of the settings file gives: the conditions it started from, with each field the
// file held in its place, and what else the read saw.
struct SettingsRead {
    DrawConditions conditions;
    // The kinds the file selects ("1" on their lines), in the file's order: the dialog shows the
    // boxes of the last.
    std::vector<ConditionKind> kindsSelected;
    // All fourteen fields were there.
    bool whole = false;
};

class SettingsFile {
public:
    explicit SettingsFile(files::FileLayer& files, std::filesystem::path file = kSettingsFileName);

    // Reads the file over `conditions`. The fields are taken in order, each as it comes; the first
    // failure (no file, a short or unreadable file) ends the read silently, keeping what was
    // read. A kind selected takes the place of the one before; a kind not selected clears itself
    // only. A read never writes.
    SettingsRead read(const DrawConditions& conditions) const;

    // Puts back a file with two names that a save cut short left damaged, from the copy of its
    // old contents, when that copy is certain (FileLayer::putBackInterruptedRewrite): a step of
    // its own, taken at start-up, before the file is first read. True when it was put back.
    bool putBackInterruptedSave() const;

    // Writes all fourteen lines. Nothing is written when a text cannot be stored, and a failed
    // write leaves the old file untouched.
    std::optional<SaveFailure> save(const DrawConditions& conditions) const;

private:
    files::FileLayer& files_;
    std::filesystem::path file_;
};

// The file's bytes for the conditions, or the first text field that cannot be stored.
std::variant<std::string, UnstorableText> formatSettingsFile(const DrawConditions& conditions);

}  // namespace quintara::settings
