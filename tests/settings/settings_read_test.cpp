// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "files/local_file_layer.h"
#include "settings/draw_settings.h"
#include "settings/settings_file.h"
#include "support/memory_file_layer.h"
#include "support/settings_bytes.h"
#include "support/temporary_directory.h"

namespace quintara::settings {
namespace {

using enum ConditionKind;
using testing::linesOf;
using testing::MemoryFileLayer;
using testing::settingsBytes;
using testing::SettingsLines;

// A complete file selecting EvenOnly, with every text set, and what it reads as: records, like
// SettingsLines, in the order of the file's lines.
const SettingsLines kFullFile{EvenOnly, "5", "77", "ciao", "90", "1", "3", "0", "1"};
const DrawConditions kFullFileRead{EvenOnly, "5", "77", "ciao", "90", "1", "3", false, true};

// As the main window reads the file over what it draws with.
void readAsTheMainWindowDoes(const SettingsFile& file, DrawConditions& conditions,
                             DrawRange& range) {
    const DrawSettings after = readOver({conditions, range, drawRuleOf(conditions)}, file);
    conditions = after.conditions;
    range = after.range;
}

class SettingsRead : public ::testing::Test {
protected:
    void store(const std::string& bytes) { files.files[kSettingsFileName] = bytes; }

    void readAsTheMainWindow() { readAsTheMainWindowDoes(settings, conditions, range); }

    MemoryFileLayer files;
    SettingsFile settings{files};
    DrawConditions conditions = mainWindowDefaults();
    DrawRange range;
};

TEST_F(SettingsRead, NoFileKeepsTheMainWindowDefaults) {
    readAsTheMainWindow();
    EXPECT_EQ(conditions, (DrawConditions{NoCondition, "", "", "", "49", "1", "", true, false}));
    EXPECT_EQ(range, (DrawRange{1, 49}));
}

TEST_F(SettingsRead, AFullFileSetsEveryFieldAndTheRange) {
    store(settingsBytes(kFullFile));
    readAsTheMainWindow();
    EXPECT_EQ(conditions, kFullFileRead);
    EXPECT_EQ(range, (DrawRange{1, 90}));
}

struct KindCase {
    const char* name;
    std::vector<std::string> kindLines;
    std::optional<ConditionKind> expected;

    friend void PrintTo(const KindCase& c, std::ostream* os) { *os << c.name; }
};

class KindLines : public SettingsRead, public ::testing::WithParamInterface<KindCase> {};

TEST_P(KindLines, TheLastLineReadingOneDecides) {
    SettingsLines lines = kFullFile;
    lines.kindLines = GetParam().kindLines;
    store(settingsBytes(lines));
    readAsTheMainWindow();
    EXPECT_EQ(conditions.kind, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KindLines,
    ::testing::Values(
        KindCase{"EvenOnly", {"1", "0", "0", "1", "0", "0"}, EvenOnly},
        KindCase{"SixZerosSelectNothing", {"0", "0", "0", "0", "0", "0"}, std::nullopt},
        KindCase{"ZeroOneIsNotSelected", {"0", "0", "01", "0", "0", "0"}, std::nullopt},
        KindCase{"TrueIsNotSelected", {"0", "true", "0", "0", "0", "0"}, std::nullopt},
        KindCase{"YesIsNotSelected", {"0", "0", "0", "0", "yes", "0"}, std::nullopt},
        KindCase{"TrailingBlankIsNotSelected", {"0", "0", "0", "0", "0", "1 "}, std::nullopt},
        KindCase{"LeadingBlankIsSkipped", {"0", "0", "0", "0", "0", " 1"}, TensDigit},
        KindCase{"MustContain", {"1", "0", "0", "0", "0", "0"}, MustContain}),
    [](const auto& info) { return info.param.name; });

TEST_F(SettingsRead, ElevenLinesLeaveTensDigitsJollyFlagsAndRangeAsTheyWere) {
    store(linesOf({"0", "1", "0", "0", "0", "0", "7", "8", "frase", "20", "10"}));
    readAsTheMainWindow();
    EXPECT_EQ(conditions, (DrawConditions{Phrase, "7", "8", "frase", "20", "10", "", true, false}));
    EXPECT_EQ(range, (DrawRange{1, 49}));
}

TEST_F(SettingsRead, AFileShortInTheKindLinesKeepsWhatItRead) {
    conditions.kind = OddOnly;
    store(linesOf({"0", "0", "1"}));
    readAsTheMainWindow();
    EXPECT_EQ(conditions, (DrawConditions{NoCondition, "", "", "", "49", "1", "", true, false}));
}

TEST_F(SettingsRead, LinesAfterTheFourteenthAreIgnored) {
    store(settingsBytes(kFullFile) + linesOf({"1", "0", "garbage", "99"}));
    readAsTheMainWindow();
    EXPECT_EQ(conditions, kFullFileRead);
}

struct RangeCase {
    const char* name;
    std::string from;
    std::string to;
    DrawRange expected;

    friend void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.name; }
};

class RangeFields : public SettingsRead, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(RangeFields, BecomeTheFirstCandidateThenTheCount) {
    range = DrawRange{1, 49};
    SettingsLines lines = kFullFile;
    lines.rangeTo = GetParam().to;
    lines.rangeFrom = GetParam().from;
    store(settingsBytes(lines));
    readAsTheMainWindow();
    EXPECT_EQ(range, GetParam().expected);
    EXPECT_EQ(conditions.rangeFrom, GetParam().from);
    EXPECT_EQ(conditions.rangeTo, GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RangeFields,
    ::testing::Values(RangeCase{"HalfDownToEven", "2.5", "90", {2, 90}},
                      RangeCase{"HalfUpToEven", "3.5", "90", {4, 90}},
                      RangeCase{"OffsetRange", "10", "20", {10, 20}},
                      RangeCase{"EmptyTextsGiveZero", "", "", {0, 0}},
                      RangeCase{"OverflowingToKeepsTheCount", "5", "40000", {5, 49}},
                      RangeCase{"OverflowingFromKeepsBoth", "99999", "60", {1, 49}}),
    [](const auto& info) { return info.param.name; });

TEST_F(SettingsRead, JollyFlagsBehaveAsARadioGroupWhereTheLastOneWins) {
    auto loadFlags = [this](std::string jolly, std::string random) {
        SettingsLines lines = kFullFile;
        lines.jollyNumber = jolly;
        lines.randomColour = random;
        store(settingsBytes(lines));
        readAsTheMainWindow();
        return std::pair{conditions.showJollyNumber, conditions.showRandomColour};
    };
    EXPECT_EQ(loadFlags("1", "0"), std::pair(true, false));
    EXPECT_EQ(loadFlags("1", "1"), std::pair(false, true));
    EXPECT_EQ(loadFlags("0", "0"), std::pair(false, false));
    EXPECT_EQ(loadFlags("yes", "0"), std::pair(false, false));
}

// A phrase with a comma, written unquoted by an earlier version, is cut at the comma and every
// later field moves down by one.
TEST_F(SettingsRead, AnOldFileWithACommaInThePhraseShiftsTheLaterFields) {
    store(settingsBytes({.kind = Phrase, .phrase = "Rossi, Mario"}));
    readAsTheMainWindow();
    EXPECT_EQ(conditions,
              (DrawConditions{Phrase, "", "", "Rossi", "Mario", "90", "1", false, true}));
    EXPECT_EQ(range, (DrawRange{90, 0}));
}

TEST_F(SettingsRead, LinuxAndOldMacLineEndsReadLikeWindowsOnes) {
    for (const std::string_view end : {"\n", "\r"}) {
        SettingsLines lines = kFullFile;
        lines.lineEnd = end;
        store(settingsBytes(lines));
        conditions = mainWindowDefaults();
        readAsTheMainWindow();
        EXPECT_EQ(conditions, kFullFileRead) << (end == "\n" ? "LF" : "CR");
    }
}

TEST_F(SettingsRead, TextsAreDecodedFromWindows1252) {
    SettingsLines lines = kFullFile;
    lines.phrase = "caff\xE8 \x80";
    store(settingsBytes(lines));
    readAsTheMainWindow();
    EXPECT_EQ(conditions.phrase, "caffè €");
}

// The dialog shows the boxes of the last kind the file selects.
TEST_F(SettingsRead, AReadSaysEveryKindTheFileSelectsInOrder) {
    store(settingsBytes({.kindLines = {"1", "0", "0", "1", "0", "0"}}));
    const auto read = settings.read(dialogDefaults());
    EXPECT_EQ(read.kindsSelected, (std::vector<ConditionKind>{MustContain, EvenOnly}));
    EXPECT_EQ(read.conditions.kind, EvenOnly);
    EXPECT_TRUE(read.whole);
}

TEST_F(SettingsRead, WithNoFileAReadKeepsWhatItStartedFromAndSelectsNothing) {
    const auto read = settings.read(dialogDefaults());
    EXPECT_EQ(read.conditions,
              (DrawConditions{NoCondition, "", "", "", "90", "1", "", true, false}));
    EXPECT_TRUE(read.kindsSelected.empty());
    EXPECT_FALSE(read.whole);
}

// Files no editor should produce: each ends the read as a short file does, quickly and within
// bounded memory.
class HostileFiles : public ::testing::Test {
protected:
    testing::TemporaryDirectory directory;
    files::LocalFileLayer files;
    std::filesystem::path file = directory / kSettingsFileName;
    SettingsFile settings{files, file};
    DrawConditions conditions = mainWindowDefaults();
    DrawRange range;

    void readAsTheMainWindow() { readAsTheMainWindowDoes(settings, conditions, range); }
};

TEST_F(HostileFiles, ADirectoryNamedLikeTheFileChangesNothing) {
    std::filesystem::create_directory(file);
    readAsTheMainWindow();
    EXPECT_EQ(conditions, mainWindowDefaults());
    EXPECT_EQ(range, (DrawRange{1, 49}));
}

TEST_F(HostileFiles, OneEnormousLineChangesNothing) {
    testing::writeBytes(file, std::string(8 * 1024 * 1024, '1'));
    readAsTheMainWindow();
    EXPECT_EQ(conditions, mainWindowDefaults());
}

TEST_F(HostileFiles, MillionsOfLinesLoadTheFirstFourteen) {
    std::string bytes = settingsBytes(kFullFile);
    bytes.reserve(bytes.size() + 6'000'000);
    for (int i = 0; i < 2'000'000; ++i) {
        bytes += "1\r\n";
    }
    testing::writeBytes(file, bytes);
    readAsTheMainWindow();
    EXPECT_EQ(conditions, kFullFileRead);
    EXPECT_EQ(range, (DrawRange{1, 90}));
}

// Every byte but the four that end a field (CR, LF, the comma, and a double quote at the start)
// is part of the text, control characters and NUL included, and reads as its Windows-1252
// character; the fields after it still load.
TEST_F(HostileFiles, BinaryBytesAreReadAsWindows1252Text) {
    std::string phrase;
    std::string read;
    for (int byte = 0; byte < 0x80; ++byte) {
        if (byte != '\r' && byte != '\n' && byte != ',') {
            phrase.push_back(static_cast<char>(byte));
            read.push_back(static_cast<char>(byte));
        }
    }
    // Bytes 0x80 to 0x9F as the code page defines them, the five it leaves undefined as the
    // control characters of their number.
    for (int byte = 0x80; byte < 0xA0; ++byte) {
        phrase.push_back(static_cast<char>(byte));
    }
    read +=
        "\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021"   // 0x80
        "\u02C6\u2030\u0160\u2039\u0152\u008D\u017D\u008F"   // 0x88
        "\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014"   // 0x90
        "\u02DC\u2122\u0161\u203A\u0153\u009D\u017E\u0178";  // 0x98
    // Latin-1, U+00A0 to U+00FF, in UTF-8.
    for (int byte = 0xA0; byte < 0x100; ++byte) {
        phrase.push_back(static_cast<char>(byte));
        read += {static_cast<char>(0xC0 | (byte >> 6)), static_cast<char>(0x80 | (byte & 0x3F))};
    }
    SettingsLines lines = kFullFile;
    lines.phrase = phrase;
    testing::writeBytes(file, settingsBytes(lines));
    readAsTheMainWindow();
    EXPECT_EQ(conditions.phrase, read);
    EXPECT_EQ(conditions.tensDigits, "3");
    EXPECT_EQ(range, (DrawRange{1, 90}));
}

// A save of a file with two names rewrites it in place, after putting a copy of the old contents
// beside it; a crash or a power cut in the middle can leave the file damaged. A read, such as the
// conditions dialog's, leaves both as they are; the start-up's own step puts the copy back.
struct CutShortCase {
    const char* name;
    bool secondName;
    std::string copy;
    unsigned copyMode;
    std::chrono::seconds copyToWrite;
    int copies;
    bool putBack;

    friend void PrintTo(const CutShortCase& c, std::ostream* os) { *os << c.name; }
};

const std::string kWhole = settingsBytes(kFullFile);
const std::string kDamaged = linesOf({"1", "0", "0", "0"});
using std::chrono::seconds;

class ARewriteCutShort : public HostileFiles, public ::testing::WithParamInterface<CutShortCase> {};

TEST_P(ARewriteCutShort, IsUndoneFromItsCopyOnlyWhenNothingIsInDoubt) {
    const auto& row = GetParam();
    testing::writeBytes(file, kDamaged);
    if (row.secondName) {
        std::filesystem::create_hard_link(file, directory / "second name");
    }
    const auto written = std::filesystem::last_write_time(file);
    for (int made = 0; made < row.copies; ++made) {
        const auto copy = directory / ("Quintara.cfg.CutShort000" + std::to_string(made) + ".tmp");
        testing::writeBytes(copy, row.copy);
        std::filesystem::permissions(copy, std::filesystem::perms(row.copyMode));
        std::filesystem::last_write_time(copy, written - row.copyToWrite);
    }
    const std::size_t names = directory.names().size();
    readAsTheMainWindow();
    EXPECT_EQ(testing::readBytes(file), kDamaged);
    EXPECT_EQ(directory.names().size(), names);
    EXPECT_EQ(settings.putBackInterruptedSave(), row.putBack);
    readAsTheMainWindow();
    EXPECT_EQ(testing::readBytes(file), row.putBack ? kWhole : kDamaged);
    EXPECT_EQ(range, (row.putBack ? DrawRange{1, 90} : DrawRange{1, 49}));
    EXPECT_EQ(directory.names().size(), 1U + row.secondName + (row.putBack ? 0 : row.copies));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ARewriteCutShort,
    ::testing::Values(
        CutShortCase{"PutsTheCopyBack", true, kWhole, 0600, seconds(1), 1, true},
        // Only a file with two names is ever rewritten in place.
        CutShortCase{"NotForAFileWithOneName", false, kWhole, 0600, seconds(1), 1, false},
        CutShortCase{"NotFromADamagedCopy", true, kDamaged, 0600, seconds(1), 1, false},
        // The copy is private; this is the temporary file of a save by rename.
        CutShortCase{"NotFromAFileOthersMayRead", true, kWhole, 0644, seconds(1), 1, false},
        // Someone wrote the file by hand since.
        CutShortCase{"NotWhenTheFileWasWrittenLongAfter", true, kWhole, 0600, seconds(3600), 1,
                     false},
        CutShortCase{"NotWhenTwoCopiesCouldBeIt", true, kWhole, 0600, seconds(1), 2, false}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quintara::settings
