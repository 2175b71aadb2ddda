// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/settings_file.h"

#include <array>
#include <utility>

#include "conversions/list_input.h"
#include "conversions/windows1252.h"
#include "settings/stored_text.h"

namespace quintara::settings {
namespace {

constexpr std::string_view kSelected = "1";
constexpr std::string_view kLineEnd = "\r\n";

void appendLine(std::string& contents, std::string_view line) {
    contents += line;
    contents += kLineEnd;
}

std::string_view flagLine(bool set) {
    return set ? "1" : "0";
}

// One of the two Jolly flags, which behave as a radio group: setting one clears the other.
bool readRadioFlag(conversions::ListInput& input, bool& flag, bool& partner) {
    const auto field = input.readField();
    if (!field) {
        return false;
    }
    flag = *field == kSelected;
    if (flag) {
        partner = false;
    }
    return true;
}

// All fourteen fields, each taking its new value the moment it is read; false at the first
// that is missing.
bool readFields(std::istream& stream, DrawConditions& conditions,
                const SettingsFile::KindSelected& displayRule) {
    conversions::ListInput input(stream);

    for (int index = 0; index < kConditionKindCount; ++index) {
        const auto field = input.readField();
        if (!field) {
            return false;
        }
        const ConditionKind kind = conditionKindAt(index);
        if (*field == kSelected) {
            conditions.Condition = kind;
            if (displayRule) {
                displayRule(kind);
            }
        } else if (conditions.Condition == kind) {
            conditions.Condition.reset();
        }
    }

    for (const auto member : kTextMembers) {
        const auto field = input.readField();
        if (!field) {
            return false;
        }
        conditions.*member = conversions::decodeWindows1252(*field);
    }

    return readRadioFlag(input, conditions.ShowJollyNumber, conditions.ShowRandomColor) &&
           readRadioFlag(input, conditions.ShowRandomColor, conditions.ShowJollyNumber);
}

}  // namespace

SettingsFile::SettingsFile(files::FileLayer& files, std::filesystem::path file)
    : files_(files), file_(std::move(file)) {}

void SettingsFile::LoadConditions(DrawConditions& conditions, DrawRange& range) const {
    if (!readAllFields(conditions, nullptr)) {
        return;
    }
    const auto low = rangeLowOf(conditions);
    if (!low) {
        return;
    }
    range.RangeLow = *low;
    const auto high = rangeHighOf(conditions);
    if (!high) {
        return;
    }
    range.RangeHigh = *high;
}

void SettingsFile::LoadDialogConditions(DrawConditions& conditions,
                                        const KindSelected& displayRule) const {
    readAllFields(conditions, displayRule);
}

bool SettingsFile::readAllFields(DrawConditions& conditions,
                                 const KindSelected& displayRule) const {
    if (readFile(conditions, displayRule)) {
        return true;
    }
    // A save of a file with two names cut short may leave it damaged, with a copy of the old
    // contents beside it: those are put back when nothing about them is in doubt.
    const files::WholeCheck readsWhole = [](std::istream& stream) {
        DrawConditions scratch;
        return readFields(stream, scratch, nullptr);
    };
    return files_.putBackInterruptedRewrite(file_, readsWhole) && readFile(conditions, displayRule);
}

bool SettingsFile::readFile(DrawConditions& conditions, const KindSelected& displayRule) const {
    const std::unique_ptr<std::istream> stream = files_.openForInput(file_);
    return stream != nullptr && readFields(*stream, conditions, displayRule);
}

std::optional<SaveFailure> SettingsFile::SaveConditions(const DrawConditions& conditions) const {
    auto formatted = formatSettingsFile(conditions);
    if (const auto* unstorable = std::get_if<UnstorableText>(&formatted)) {
        return *unstorable;
    }
    if (auto error = files::writeFileAtomically(files_, file_, std::get<std::string>(formatted))) {
        return *error;
    }
    return std::nullopt;
}

std::variant<std::string, UnstorableText> formatSettingsFile(const DrawConditions& conditions) {
    std::string contents;
    for (int index = 0; index < kConditionKindCount; ++index) {
        appendLine(contents, flagLine(conditions.Condition == conditionKindAt(index)));
    }
    for (std::size_t index = 0; index < kTextMembers.size(); ++index) {
        const auto line =
            storedLineFor(conversions::encodeWindows1252(conditions.*kTextMembers[index]));
        if (const auto* why = std::get_if<Unstorable>(&line)) {
            return UnstorableText{textFieldAt(index), *why};
        }
        appendLine(contents, std::get<std::string>(line));
    }
    appendLine(contents, flagLine(conditions.ShowJollyNumber));
    appendLine(contents, flagLine(conditions.ShowRandomColor));
    return contents;
}

}  // namespace quintara::settings
