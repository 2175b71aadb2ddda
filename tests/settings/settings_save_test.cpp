// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "conversions/windows1252.h"
#include "files/local_file_layer.h"
#include "settings/draw_settings.h"
#include "settings/settings_file.h"
#include "settings/stored_text.h"
#include "support/failing_file_layer.h"
#include "support/memory_file_layer.h"
#include "support/settings_bytes.h"
#include "support/temporary_directory.h"

namespace quintara::settings {
namespace {

using testing::readBytes;
using testing::settingsBytes;
using testing::writeBytes;

const std::string kDefaultDialogFile = settingsBytes({});

class SettingsSave : public ::testing::Test {
protected:
    testing::TemporaryDirectory directory;
    std::filesystem::path file = directory / kSettingsFileName;
    files::LocalFileLayer files;
    SettingsFile settings{files, file};
};

TEST_F(SettingsSave, TheUntouchedDialogWritesTheDefaultFileByteForByte) {
    EXPECT_EQ(settings.save(dialogDefaults()), std::nullopt);
    EXPECT_EQ(readBytes(file), kDefaultDialogFile);
}

TEST_F(SettingsSave, AfterTheFirstSaveTheMainWindowDrawsUpTo90) {
    settings.save(dialogDefaults());
    EXPECT_EQ(readOver(DrawSettings{}, settings).range, (DrawRange{1, 90}));
}

// After a save the main window draws under what the dialog hands it; after a restart, under a
// read of the file. The two draw alike, texts the file holds as "?" included.
TEST_F(SettingsSave, WhatWasSavedDrawsAsTheFileReadBackDoes) {
    struct Texts {
        std::string first, phrase, rangeTo, tens;
    };
    for (const Texts& texts :
         {Texts{"12", "Niccolò, 1990", "90", "3"}, Texts{"1₂", "Ωmega €", "6⁰", "³5"},
          Texts{" 7 ", "  ", "40000", "x8"}}) {
        DrawConditions saved = dialogDefaults();
        saved.kind = ConditionKind::Phrase;
        saved.firstNumber = texts.first;
        saved.phrase = texts.phrase;
        saved.rangeTo = texts.rangeTo;
        saved.tensDigits = texts.tens;
        ASSERT_EQ(settings.save(saved), std::nullopt) << texts.phrase;
        const DrawSettings kept = withSavedConditions(DrawSettings{}, saved);
        const DrawSettings read = readOver(DrawSettings{}, settings);
        EXPECT_EQ(kept.rule, read.rule) << texts.phrase;
        EXPECT_EQ(kept.range, read.range) << texts.phrase;
    }
}

TEST_F(SettingsSave, EveryFieldIsWrittenWhateverKindIsSelected) {
    DrawConditions conditions = dialogDefaults();
    conditions.kind = ConditionKind::EvenOnly;
    conditions.firstNumber = "99";
    conditions.tensDigits = "4";
    conditions.showJollyNumber = false;
    conditions.showRandomColour = true;
    settings.save(conditions);
    EXPECT_EQ(readBytes(file),
              settingsBytes({ConditionKind::EvenOnly, "99", "", "", "90", "1", "4", "0", "1"}));
}

TEST_F(SettingsSave, NoKindSelectedIsWrittenAsSixZeros) {
    DrawConditions conditions = dialogDefaults();
    conditions.kind.reset();
    settings.save(conditions);
    EXPECT_EQ(readBytes(file), settingsBytes({.kind = std::nullopt}));
}

TEST_F(SettingsSave, TextsAreWrittenInWindows1252) {
    DrawConditions conditions = dialogDefaults();
    conditions.phrase = "Niccolò €";
    settings.save(conditions);
    EXPECT_NE(readBytes(file).find("Niccol\xF2 \x80\r\n"), std::string::npos);
}

TEST_F(SettingsSave, AnUnstorableTextIsRefusedBeforeTheFileIsTouched) {
    writeBytes(file, kDefaultDialogFile);
    DrawConditions conditions = dialogDefaults();
    conditions.phrase = "\"Il Grande\", Mario";
    const auto failure = settings.save(conditions);
    ASSERT_TRUE(failure.has_value());
    ASSERT_TRUE(std::holds_alternative<UnstorableText>(*failure));
    EXPECT_EQ(std::get<UnstorableText>(*failure),
              (UnstorableText{TextField::Phrase, Unstorable::DoubleQuote}));
    EXPECT_EQ(readBytes(file), kDefaultDialogFile);
    EXPECT_EQ(directory.names(), std::vector<std::string>{kSettingsFileName});
}

TEST_F(SettingsSave, AWriteThatFailsReportsWhyAndKeepsTheOldFile) {
    writeBytes(file, kDefaultDialogFile);
    testing::FailingFileLayer failing;
    failing.failWriteHalfway = true;
    DrawConditions conditions = dialogDefaults();
    conditions.kind = ConditionKind::OddOnly;
    const auto failure = SettingsFile(failing, file).save(conditions);
    ASSERT_TRUE(failure.has_value());
    ASSERT_TRUE(std::holds_alternative<files::FileFailure>(*failure));
    EXPECT_EQ(readBytes(file), kDefaultDialogFile);
}

TEST_F(SettingsSave, AReadThatFailedPartWayDoesNotHinderSaving) {
    writeBytes(file, "0\r\n1\r\n");
    DrawConditions conditions = dialogDefaults();
    conditions = settings.read(conditions).conditions;
    EXPECT_EQ(settings.save(conditions), std::nullopt);
    EXPECT_EQ(readBytes(file).substr(0, 6), "0\r\n1\r\n");
}

struct StoredCase {
    const char* name;
    std::string text;
    std::variant<std::string, Unstorable> line;

    friend void PrintTo(const StoredCase& c, std::ostream* os) { *os << c.name; }
};

class StoredLine : public ::testing::TestWithParam<StoredCase> {};

TEST_P(StoredLine, QuotesOnlyWhatNeedsQuotesAndRefusesWhatCannotBeStored) {
    EXPECT_EQ(storedLineFor(GetParam().text), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredLine,
    ::testing::Values(
        StoredCase{"Plain", "Mario", "Mario"}, StoredCase{"Empty", "", ""},
        StoredCase{"TrailingBlank", "Mario ", "Mario "},
        StoredCase{"QuoteInsideKept", "Mario \"il Grande\"", "Mario \"il Grande\""},
        StoredCase{"CommaIsQuoted", "Rossi, Mario", "\"Rossi, Mario\""},
        StoredCase{"LeadingBlankIsQuoted", " ", "\" \""},
        StoredCase{"LeadingTabIsQuoted", "\tx", "\"\tx\""},
        StoredCase{"LeadingQuoteRefused", "\"ciao", Unstorable::DoubleQuote},
        StoredCase{"QuoteNeedingQuotesRefused", "a, \"b\"", Unstorable::DoubleQuote},
        StoredCase{"LineFeedRefused", "a\nb", Unstorable::LineBreak},
        StoredCase{"CarriageReturnRefused", "a\rb", Unstorable::LineBreak},
        StoredCase{"LongestPlainText", std::string(65536, 'x'), std::string(65536, 'x')},
        StoredCase{"TooLongToReadBack", std::string(65537, 'x'), Unstorable::TooLong},
        StoredCase{"TooLongOnceQuoted", " " + std::string(65535, 'x'), Unstorable::TooLong},
        StoredCase{"TooLongWithAQuoteInside", "x\"" + std::string(65536, 'y'), Unstorable::TooLong},
        StoredCase{"TooLongAfterALeadingQuote", "\"" + std::string(70000, 'x'),
                   Unstorable::DoubleQuote}),
    [](const auto& info) { return info.param.name; });

// Every Windows-1252 character but the double quote, CR and LF survives a save and a load in
// every text field, wherever it stands in the text.
TEST(SettingsRoundTrip, EveryStorableCharacterSurvivesInEveryTextField) {
    testing::MemoryFileLayer files;
    SettingsFile settings(files);
    const auto& fields = kTextMembers;
    for (int byte = 0; byte < 256; ++byte) {
        if (byte == '"' || byte == '\r' || byte == '\n') {
            continue;
        }
        const std::string character = conversions::decodeWindows1252(std::string(1, char(byte)));
        for (const std::string& text :
             {character, "a" + character + "b", character + ", x", " " + character}) {
            for (const auto field : fields) {
                DrawConditions saved = dialogDefaults();
                saved.*field = text;
                ASSERT_EQ(settings.save(saved), std::nullopt) << "byte " << byte;
                DrawConditions loaded = dialogDefaults();
                loaded.kind.reset();
                loaded = settings.read(loaded).conditions;
                ASSERT_EQ(loaded, saved) << "byte " << byte << " in \"" << text << "\"";
            }
        }
    }
}

}  // namespace
}  // namespace quintara::settings
