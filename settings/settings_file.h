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

#include "files/file_layer.h"
#include "settings/draw_conditions.h"
#include "settings/stored_text.h"

namespace quintara::settings {

// The settings file: fourteen lines, CR LF each, Windows-1252, in the current working directory
// at the moment of each access.
inline constexpr char kSettingsFileName[] = "Quintara.cfg";

// The six text fields of DrawConditions, in file order (lines 7 to 12).
enum class TextField {
    RequiredNumber1,
    RequiredNumber2,
    PhraseText,
    RangeTo,
    RangeFrom,
    TensDigits
};

// The member of DrawConditions that holds each text field, indexed by TextField.
inline constexpr std::array<std::string DrawConditions::*, 6> kTextMembers = {
    &DrawConditions::RequiredNumber1, &DrawConditions::RequiredNumber2,
    &DrawConditions::PhraseText,      &DrawConditions::RangeTo,
    &DrawConditions::RangeFrom,       &DrawConditions::TensDigits};

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

class SettingsFile {
public:
    // Called by the dialog's reader each time it selects a kind, at that moment of the read.
    using KindSelected = std::function<void(ConditionKind)>;

    explicit SettingsFile(files::FileLayer& files, std::filesystem::path file = kSettingsFileName);

    // The main window's reader. Each field takes its new value the moment it is read; the first
    // failure (no file, a short or unreadable file) ends the read silently, keeping what was
    // read. Only when all fourteen fields were read are RangeLow and then RangeHigh recomputed;
    // an overflow stops there too, so an overflowing RangeTo leaves RangeHigh as it was. A file
    // with two names that a save cut short left damaged is first put back from the copy of its
    // old contents, when that copy is certain (FileLayer::putBackInterruptedRewrite), and read
    // again.
    void LoadConditions(DrawConditions& conditions, DrawRange& range) const;

    // The dialog's reader: the same read, calling `displayRule` whenever it selects a kind.
    void LoadDialogConditions(DrawConditions& conditions, const KindSelected& displayRule) const;

    // Writes all fourteen lines. Nothing is written when a text cannot be stored, and a failed
    // write leaves the old file untouched.
    std::optional<SaveFailure> SaveConditions(const DrawConditions& conditions) const;

private:
    bool readAllFields(DrawConditions& conditions, const KindSelected& displayRule) const;
    bool readFile(DrawConditions& conditions, const KindSelected& displayRule) const;

    files::FileLayer& files_;
    std::filesystem::path file_;
};

// The file's bytes for the conditions, or the first text field that cannot be stored.
std::variant<std::string, UnstorableText> formatSettingsFile(const DrawConditions& conditions);

}  // namespace quintara::settings
