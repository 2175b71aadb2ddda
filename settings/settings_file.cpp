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
bool readFields(std::istream& stream, SettingsRead& read) {
    conversions::ListInput input(stream);
    DrawConditions& conditions = read.conditions;

    for (int index = 0; index < kConditionKindCount; ++index) {
        const auto field = input.readField();
        if (!field) {
            return false;
        }
        const ConditionKind kind = conditionKindAt(index);
        if (*field == kSelected) {
            conditions.kind = kind;
            read.kindsSelected.push_back(kind);
        } else if (conditions.kind == kind) {
            conditions.kind.reset();
        }
    }

    for (const auto member : kTextMembers) {
        const auto field = input.readField();
        if (!field) {
            return false;
        }
        conditions.*member = conversions::decodeWindows1252(*field);
    }

    return readRadioFlag(input, conditions.showJollyNumber, conditions.showRandomColour) &&
           readRadioFlag(input, conditions.showRandomColour, conditions.showJollyNumber);
}

}  // namespace

SettingsFile::SettingsFile(files::FileLayer& files, std::filesystem::path file)
    : files_(files), file_(std::move(file)) {}

SettingsRead SettingsFile::read(const DrawConditions& conditions) const {
    SettingsRead read{conditions, {}, false};
    const std::unique_ptr<std::istream> stream = files_.openForInput(file_);
    read.whole = stream != nullptr && readFields(*stream, read);
    return read;
}

// A save of a file with two names cut short may leave it damaged, with a copy of the old
// contents beside it: those are put back when nothing about them is in doubt.
bool SettingsFile::putBackInterruptedSave() const {
    const files::WholeCheck readsWhole = [](std::istream& stream) {
        SettingsRead scratch;
        return readFields(stream, scratch);
    };
    return files_.putBackInterruptedRewrite(file_, readsWhole);
}

std::optional<SaveFailure> SettingsFile::save(const DrawConditions& conditions) const {
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
        appendLine(contents, flagLine(conditions.kind == conditionKindAt(index)));
    }
    for (std::size_t index = 0; index < kTextMembers.size(); ++index) {
        const auto line =
            storedLineFor(conversions::encodeWindows1252(conditions.*kTextMembers[index]));
        if (const auto* why = std::get_if<Unstorable>(&line)) {
            return UnstorableText{textFieldAt(index), *why};
        }
        appendLine(contents, std::get<std::string>(line));
    }
    appendLine(contents, flagLine(conditions.showJollyNumber));
    appendLine(contents, flagLine(conditions.showRandomColour));
    return contents;
}

}  // namespace quintara::settings
