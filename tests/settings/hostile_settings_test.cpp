// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Settings files no editor should produce, kept in fuzz/regressions: the largest and strangest
// files the fuzzer found and a few made by hand at the reader's limits. Whatever a file holds, a
// read ends as the reader promises: it pulls a bounded number of bytes, the two readers
// agree, and what they read can be saved and read back (or is refused, leaving the file alone).

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <istream>
#include <iterator>
#include <string>
#include <variant>
#include <vector>

#include "conversions/list_input.h"
#include "fuzz/memory_files.h"
#include "settings/draw_settings.h"
#include "settings/settings_file.h"
#include "support/unlike_conditions.h"

namespace quintara::settings {
namespace {

using conversions::ListInput;

const std::filesystem::path kRegressions = QUINTARA_FUZZ_REGRESSIONS_DIR;

// What a reader may pull from any file: fourteen fields of at most kMaxFieldBytes each, their
// line ends, and one byte of look-ahead.
constexpr std::size_t kMostBytesRead = 14 * (ListInput::kMaxFieldBytes + 2) + 1;

// A text read from one field: a Windows-1252 byte becomes at most three bytes of UTF-8.
constexpr std::size_t kLongestText = 3 * ListInput::kMaxFieldBytes;

std::vector<std::string> regressionFiles() {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(kRegressions, error)) {
        if (entry.is_regular_file()) {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string bytesOf(const std::string& name) {
    std::ifstream in(kRegressions / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The bytes list input itself pulls from the file for the first fourteen fields (or up to where
// it fails): a reader must not read past them.
std::size_t bytesForFourteenFields(const std::string& bytes) {
    fuzzing::ChunkedBytes buffer(bytes, 1);
    std::istream stream(&buffer);
    ListInput input(stream);
    for (int field = 0; field < 14 && input.readField(); ++field) {
    }
    return buffer.fetched();
}

constexpr auto& kTexts = kTextMembers;

// What the main window keeps of a file that selects Phrase and holds 7 and 8 when the read ends
// at the phrase.
const DrawConditions kReadUpToThePhrase{
    ConditionKind::Phrase, "7", "8", "", "49", "1", "", true, false};

// One regression file in memory, served a byte at a time so that the bytes each read pulls
// can be counted.
class RegressionFile : public ::testing::Test {
protected:
    void load(const std::string& name) {
        bytes = bytesOf(name);
        ASSERT_FALSE(bytes.empty()) << "cannot read " << name;
        files.files[kSettingsFileName] = bytes;
    }

    // The main window's read from its defaults.
    void readAsMainWindow() {
        const DrawSettings after = readOver({conditions, range, drawRuleOf(conditions)}, settings);
        conditions = after.conditions;
        range = after.range;
    }

    std::vector<ConditionKind> readAsDialog(DrawConditions& dialog) {
        const SettingsRead read = settings.read(dialog);
        dialog = read.conditions;
        return read.kindsSelected;
    }

    std::string bytes;
    fuzzing::MemoryFiles files;
    SettingsFile settings{files};
    DrawConditions conditions = mainWindowDefaults();
    DrawRange range;
};

TEST(HostileSettingsFiles, TheRegressionFolderIsFound) {
    EXPECT_GE(regressionFiles().size(), 10u) << kRegressions;
}

class EveryRegressionFile : public RegressionFile,
                            public ::testing::WithParamInterface<std::string> {};

TEST_P(EveryRegressionFile, IsReadWithinBoundsByBothReaders) {
    load(GetParam());
    readAsMainWindow();
    EXPECT_LE(files.lastBytesRead, kMostBytesRead);
    EXPECT_LE(files.lastBytesRead, bytesForFourteenFields(bytes));
    for (const auto member : kTexts) {
        EXPECT_LE((conditions.*member).size(), kLongestText);
    }
    EXPECT_FALSE(conditions.showJollyNumber && conditions.showRandomColour);

    DrawConditions dialog = dialogDefaults();
    const std::vector<ConditionKind> selected = readAsDialog(dialog);
    EXPECT_LE(files.lastBytesRead, bytesForFourteenFields(bytes));
    EXPECT_LE(selected.size(), 6u);
    if (!selected.empty()) {
        EXPECT_EQ(dialog.kind, selected.back()) << "the last kind selected stays selected";
    }
}

TEST_P(EveryRegressionFile, LeavesARecordThatIsSavedAndReadBackOrRefused) {
    load(GetParam());
    DrawConditions dialog = dialogDefaults();
    readAsDialog(dialog);
    const DrawConditions viaMainReader =
        readOver({dialogDefaults(), range, drawRuleOf(dialogDefaults())}, settings).conditions;
    EXPECT_EQ(viaMainReader, dialog) << "both readers read the same record";

    fuzzing::MemoryFiles saved(4096);
    const SettingsFile savedSettings(saved);
    const auto failure = savedSettings.save(dialog);
    if (failure) {
        ASSERT_TRUE(std::holds_alternative<UnstorableText>(*failure));
        EXPECT_TRUE(saved.files.empty()) << "a refused save writes nothing";
        return;
    }
    DrawConditions readBack = testing::unlike(dialog);
    readBack = savedSettings.read(readBack).conditions;
    EXPECT_EQ(readBack, dialog);
}

INSTANTIATE_TEST_SUITE_P(
    Files, EveryRegressionFile, ::testing::ValuesIn(regressionFiles()), [](const auto& info) {
        std::string name = info.param;
        std::replace_if(
            name.begin(), name.end(),
            [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
        return name;
    });

// What particular files change, beyond the bounds every file keeps.

TEST_F(RegressionFile, APhraseOfExactly64KiBIsReadWhole) {
    load("phrase_of_64_kib.cfg");
    readAsMainWindow();
    const std::string phrase(ListInput::kMaxFieldBytes, 'x');
    EXPECT_EQ(conditions, (DrawConditions{ConditionKind::Phrase, "7", "8", phrase, "90", "1", "3",
                                          false, true}));
    EXPECT_EQ(range, (DrawRange{1, 90}));
}

TEST_F(RegressionFile, APhraseOneByteOver64KiBEndsTheReadKeepingTheLinesBeforeIt) {
    load("phrase_one_byte_over_64_kib.cfg");
    readAsMainWindow();
    EXPECT_EQ(conditions, kReadUpToThePhrase);
    EXPECT_EQ(range, (DrawRange{1, 49}));
}

// However a phrase over the limit is quoted, the read stops within the limit past the lines
// before it, instead of pulling the whole field.
TEST_F(RegressionFile, AQuotedPhraseOver64KiBEndsTheReadWithinTheLimit) {
    for (const char* name : {"quoted_phrase_over_64_kib.cfg", "unclosed_quote_over_64_kib.cfg"}) {
        SCOPED_TRACE(name);
        conditions = mainWindowDefaults();
        load(name);
        readAsMainWindow();
        EXPECT_EQ(conditions, kReadUpToThePhrase);
        EXPECT_EQ(range, (DrawRange{1, 49}));
        const std::size_t eightLines = bytes.find('"');
        EXPECT_LE(files.lastBytesRead, eightLines + ListInput::kMaxFieldBytes + 3);
    }
}

// An unclosed quote lets a field reach one byte further than a closed one: the phrase it gives
// needs quotes that would take it over the limit, so saving refuses it instead of writing a
// file that reads back differently.
TEST_F(RegressionFile, APhraseTooLongToStoreQuotedIsReadButRefusedOnSave) {
    load("unclosed_quote_with_blank_at_the_limit.cfg");
    DrawConditions dialog = dialogDefaults();
    readAsDialog(dialog);
    EXPECT_EQ(dialog.phrase, " " + std::string(ListInput::kMaxFieldBytes - 2, 'y'));
    EXPECT_EQ(dialog.tensDigits, "3");

    const auto failure = settings.save(dialog);
    ASSERT_TRUE(failure.has_value());
    ASSERT_TRUE(std::holds_alternative<UnstorableText>(*failure));
    EXPECT_EQ(std::get<UnstorableText>(*failure),
              (UnstorableText{TextField::Phrase, Unstorable::TooLong}));
    EXPECT_EQ(files.files.at(kSettingsFileName), bytes);
    EXPECT_EQ(files.files.size(), 1u);
}

TEST_F(RegressionFile, LinesAfterTheFourteenthAreNeverRead) {
    load("thirty_thousand_lines.cfg");
    readAsMainWindow();
    EXPECT_EQ(conditions.kind, ConditionKind::OddOnly);
    EXPECT_EQ(range, (DrawRange{1, 90}));
    std::size_t fourteenLines = 0;
    for (int line = 0; line < 14; ++line) {
        fourteenLines = bytes.find("\r\n", fourteenLines) + 2;
    }
    EXPECT_LE(files.lastBytesRead, fourteenLines + 1);
}

TEST_F(RegressionFile, LongRunsOfDelimitersReadAsFourteenEmptyFields) {
    for (const char* name : {"one_line_of_commas.cfg", "only_carriage_returns.cfg"}) {
        SCOPED_TRACE(name);
        conditions = mainWindowDefaults();
        range = DrawRange{};
        load(name);
        readAsMainWindow();
        EXPECT_EQ(conditions, (DrawConditions{std::nullopt, "", "", "", "", "", "", false, false}));
        EXPECT_EQ(range, (DrawRange{0, 0}));
        EXPECT_LE(files.lastBytesRead, 15u);
    }
}

TEST_F(RegressionFile, AFileOfQuotesIsOneEmptyFieldAndChangesNothing) {
    load("quotes_only.cfg");
    readAsMainWindow();
    EXPECT_EQ(conditions, mainWindowDefaults());
    EXPECT_EQ(range, (DrawRange{1, 49}));
}

TEST_F(RegressionFile, NulAndControlBytesAreOrdinaryCharacters) {
    load("nul_and_control_bytes.cfg");
    readAsMainWindow();
    // "1\0" is not "1": of the kind lines only the third selects.
    EXPECT_EQ(conditions,
              (DrawConditions{ConditionKind::NoCondition, std::string(2, '\0'), "\x7F",
                              std::string("\0frase\x1A", 7), std::string("90\0", 3),
                              std::string("1\0", 2), std::string(1, '\0'), true, false}));
    EXPECT_EQ(range, (DrawRange{1, 90}));
}

TEST_F(RegressionFile, OverflowingRangesKeepTheRangeAsItWas) {
    load("ranges_that_overflow.cfg");
    readAsMainWindow();
    EXPECT_EQ(conditions.rangeTo, "1e999");
    EXPECT_EQ(conditions.rangeFrom, "32767.5");
    EXPECT_EQ(range, (DrawRange{1, 49}));

    conditions = mainWindowDefaults();
    load("range_to_overflows_alone.cfg");
    readAsMainWindow();
    EXPECT_EQ(range, (DrawRange{-32768, 49}));
}

TEST_F(RegressionFile, EveryKindLineSelectedRunsTheDisplayRuleSixTimesAndTheLastWins) {
    load("every_kind_line_selected.cfg");
    DrawConditions dialog = dialogDefaults();
    const std::vector<ConditionKind> selected = readAsDialog(dialog);
    const std::vector<ConditionKind> expected = {
        ConditionKind::MustContain, ConditionKind::Phrase,  ConditionKind::NoCondition,
        ConditionKind::EvenOnly,    ConditionKind::OddOnly, ConditionKind::TensDigit};
    EXPECT_EQ(selected, expected);
    EXPECT_EQ(dialog.kind, ConditionKind::TensDigit);
    EXPECT_FALSE(dialog.showJollyNumber);
    EXPECT_TRUE(dialog.showRandomColour);
}

TEST_F(RegressionFile, BlanksOverTheLimitEndTheReadAfterTheLinesBeforeThem) {
    load("blank_lines_before_a_field_over_the_limit.cfg");
    readAsMainWindow();
    DrawConditions expected = mainWindowDefaults();
    expected.kind = ConditionKind::MustContain;
    EXPECT_EQ(conditions, expected);
    EXPECT_EQ(range, (DrawRange{1, 49}));
    // The two lines, the blanks up to the limit and one byte of look-ahead.
    EXPECT_LE(files.lastBytesRead, 6 + ListInput::kMaxFieldBytes + 2);
}

}  // namespace
}  // namespace quintara::settings
