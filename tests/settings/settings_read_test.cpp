// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/local_file_layer.h"
#include "platform/windows1252.h"
#include "settings/settings_file.h"
#include "support/memory_file_layer.h"
#include "support/temporary_directory.h"

namespace quintara::settings {
namespace {

using testing::MemoryFileLayer;

std::string linesOf(const std::vector<std::string>& lines) {
    std::string file;
    for (const auto& line : lines) {
        file += line + "\r\n";
    }
    return file;
}

// A complete file selecting EvenOnly, with every text set.
const std::vector<std::string> kFullFile = {"0",  "0",    "0",  "1", "0", "0", "5",
                                            "77", "ciao", "90", "1", "3", "0", "1"};

class SettingsRead : public ::testing::Test {
protected:
    void store(const std::string& bytes) { files.files[kSettingsFileName] = bytes; }

    MemoryFileLayer files;
    SettingsFile settings{files};
    DrawConditions conditions = mainWindowDefaults();
    DrawRange range;
};

TEST_F(SettingsRead, NoFileKeepsTheMainWindowDefaults) {
    settings.LoadConditions(conditions, range);
    EXPECT_EQ(conditions, mainWindowDefaults());
    EXPECT_EQ(conditions.Condition, ConditionKind::NoCondition);
    EXPECT_EQ(conditions.RangeFrom, "1");
    EXPECT_EQ(conditions.RangeTo, "49");
    EXPECT_TRUE(conditions.ShowJollyNumber);
    EXPECT_EQ(range, (DrawRange{1, 49}));
}

TEST_F(SettingsRead, AFullFileSetsEveryFieldAndTheRange) {
    store(linesOf(kFullFile));
    settings.LoadConditions(conditions, range);
    EXPECT_EQ(conditions.Condition, ConditionKind::EvenOnly);
    EXPECT_EQ(conditions.RequiredNumber1, "5");
    EXPECT_EQ(conditions.RequiredNumber2, "77");
    EXPECT_EQ(conditions.PhraseText, "ciao");
    EXPECT_EQ(conditions.RangeTo, "90");
    EXPECT_EQ(conditions.RangeFrom, "1");
    EXPECT_EQ(conditions.TensDigits, "3");
    EXPECT_FALSE(conditions.ShowJollyNumber);
    EXPECT_TRUE(conditions.ShowRandomColor);
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
    std::vector<std::string> lines = GetParam().kindLines;
    lines.insert(lines.end(), kFullFile.begin() + 6, kFullFile.end());
    store(linesOf(lines));
    settings.LoadConditions(conditions, range);
    EXPECT_EQ(conditions.Condition, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KindLines,
    ::testing::Values(
        KindCase{"EvenOnly", {"1", "0", "0", "1", "0", "0"}, ConditionKind::EvenOnly},
        KindCase{"SixZerosSelectNothing", {"0", "0", "0", "0", "0", "0"}, std::nullopt},
        KindCase{"ZeroOneIsNotSelected", {"0", "0", "01", "0", "0", "0"}, std::nullopt},
        KindCase{"TrueIsNotSelected", {"0", "true", "0", "0", "0", "0"}, std::nullopt},
        KindCase{"YesIsNotSelected", {"0", "0", "0", "0", "yes", "0"}, std::nullopt},
        KindCase{"TrailingBlankIsNotSelected", {"0", "0", "0", "0", "0", "1 "}, std::nullopt},
        KindCase{
            "LeadingBlankIsSkipped", {"0", "0", "0", "0", "0", " 1"}, ConditionKind::TensDigit},
        KindCase{"MustContain", {"1", "0", "0", "0", "0", "0"}, ConditionKind::MustContain}),
    [](const auto& info) { return info.param.name; });

TEST_F(SettingsRead, ElevenLinesLeaveTensDigitsJollyFlagsAndRangeAsTheyWere) {
    store(linesOf({"0", "1", "0", "0", "0", "0", "7", "8", "frase", "20", "10"}));
    settings.LoadConditions(conditions, range);
    EXPECT_EQ(conditions.Condition, ConditionKind::Phrase);
    EXPECT_EQ(conditions.RequiredNumber1, "7");
    EXPECT_EQ(conditions.RequiredNumber2, "8");
    EXPECT_EQ(conditions.PhraseText, "frase");
    EXPECT_EQ(conditions.RangeTo, "20");
    EXPECT_EQ(conditions.RangeFrom, "10");
    EXPECT_EQ(conditions.TensDigits, "");
    EXPECT_TRUE(conditions.ShowJollyNumber);
    EXPECT_FALSE(conditions.ShowRandomColor);
    EXPECT_EQ(range, (DrawRange{1, 49}));
}

TEST_F(SettingsRead, AFileShortInTheKindLinesKeepsWhatItRead) {
    conditions.Condition = ConditionKind::OddOnly;
    store(linesOf({"0", "0", "1"}));
    settings.LoadConditions(conditions, range);
    EXPECT_EQ(conditions.Condition, ConditionKind::NoCondition);
    EXPECT_EQ(conditions.RangeTo, "49");
}

TEST_F(SettingsRead, LinesAfterTheFourteenthAreIgnored) {
    std::vector<std::string> lines = kFullFile;
    lines.insert(lines.end(), {"1", "0", "garbage", "99"});
    store(linesOf(lines));
    settings.LoadConditions(conditions, range);
    EXPECT_EQ(conditions.Condition, ConditionKind::EvenOnly);
    EXPECT_TRUE(conditions.ShowRandomColor);
}

struct RangeCase {
    const char* name;
    std::string from;
    std::string to;
    DrawRange expected;

    friend void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.name; }
};

class RangeFields : public SettingsRead, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(RangeFields, BecomeRangeLowThenRangeHigh) {
    range = DrawRange{1, 49};
    std::vector<std::string> lines = kFullFile;
    lines[9] = GetParam().to;
    lines[10] = GetParam().from;
    store(linesOf(lines));
    settings.LoadConditions(conditions, range);
    EXPECT_EQ(range, GetParam().expected);
    EXPECT_EQ(conditions.RangeFrom, GetParam().from);
    EXPECT_EQ(conditions.RangeTo, GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RangeFields,
    ::testing::Values(RangeCase{"HalfDownToEven", "2.5", "90", {2, 90}},
                      RangeCase{"HalfUpToEven", "3.5", "90", {4, 90}},
                      RangeCase{"OffsetRange", "10", "20", {10, 20}},
                      RangeCase{"EmptyTextsGiveZero", "", "", {0, 0}},
                      RangeCase{"OverflowingToKeepsRangeHigh", "5", "40000", {5, 49}},
                      RangeCase{"OverflowingFromKeepsBoth", "99999", "60", {1, 49}}),
    [](const auto& info) { return info.param.name; });

TEST_F(SettingsRead, JollyFlagsBehaveAsARadioGroupWhereTheLastOneWins) {
    auto loadFlags = [this](std::string jolly, std::string random) {
        std::vector<std::string> lines = kFullFile;
        lines[12] = jolly;
        lines[13] = random;
        store(linesOf(lines));
        settings.LoadConditions(conditions, range);
        return std::pair{conditions.ShowJollyNumber, conditions.ShowRandomColor};
    };
    EXPECT_EQ(loadFlags("1", "0"), std::pair(true, false));
    EXPECT_EQ(loadFlags("1", "1"), std::pair(false, true));
    EXPECT_EQ(loadFlags("0", "0"), std::pair(false, false));
    EXPECT_EQ(loadFlags("yes", "0"), std::pair(false, false));
}

// A phrase with a comma, written unquoted by an earlier version, is cut at the comma and every
// later field moves down by one.
TEST_F(SettingsRead, AnOldFileWithACommaInThePhraseShiftsTheLaterFields) {
    store(linesOf({"0", "1", "0", "0", "0", "0", "", "", "Rossi, Mario", "90", "1", "", "1", "0"}));
    settings.LoadConditions(conditions, range);
    EXPECT_EQ(conditions.PhraseText, "Rossi");
    EXPECT_EQ(conditions.RangeTo, "Mario");
    EXPECT_EQ(conditions.RangeFrom, "90");
    EXPECT_EQ(conditions.TensDigits, "1");
    EXPECT_FALSE(conditions.ShowJollyNumber);
    EXPECT_TRUE(conditions.ShowRandomColor);
    EXPECT_EQ(range, (DrawRange{90, 0}));
}

TEST_F(SettingsRead, LinuxAndOldMacLineEndsReadLikeWindowsOnes) {
    std::string unixFile;
    std::string macFile;
    for (const auto& line : kFullFile) {
        unixFile += line + "\n";
        macFile += line + "\r";
    }
    store(unixFile);
    DrawConditions fromUnix = mainWindowDefaults();
    settings.LoadConditions(fromUnix, range);
    store(macFile);
    DrawConditions fromMac = mainWindowDefaults();
    settings.LoadConditions(fromMac, range);
    store(linesOf(kFullFile));
    settings.LoadConditions(conditions, range);
    EXPECT_EQ(fromUnix, conditions);
    EXPECT_EQ(fromMac, conditions);
}

TEST_F(SettingsRead, TextsAreDecodedFromWindows1252) {
    std::vector<std::string> lines = kFullFile;
    lines[8] = "caff\xE8 \x80";
    store(linesOf(lines));
    settings.LoadConditions(conditions, range);
    EXPECT_EQ(conditions.PhraseText, "caffè €");
}

TEST_F(SettingsRead, TheDialogsReaderAppliesTheDisplayRuleForEachKindItSelects) {
    store(linesOf({"1", "0", "0", "1", "0", "0", "", "", "", "90", "1", "", "1", "0"}));
    DrawConditions dialog = dialogDefaults();
    std::vector<std::pair<ConditionKind, std::optional<ConditionKind>>> calls;
    settings.LoadDialogConditions(
        dialog, [&](ConditionKind kind) { calls.emplace_back(kind, dialog.Condition); });
    // The rule runs at the moment of selection, when the record already holds the kind.
    const decltype(calls) expected = {{ConditionKind::MustContain, ConditionKind::MustContain},
                                      {ConditionKind::EvenOnly, ConditionKind::EvenOnly}};
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(dialog.Condition, ConditionKind::EvenOnly);
}

TEST_F(SettingsRead, TheDialogsReaderWithNoFileKeepsTheDialogDefaultsAndCallsNothing) {
    DrawConditions dialog = dialogDefaults();
    int calls = 0;
    settings.LoadDialogConditions(dialog, [&](ConditionKind) { ++calls; });
    EXPECT_EQ(dialog, dialogDefaults());
    EXPECT_EQ(dialog.RangeTo, "90");
    EXPECT_EQ(calls, 0);
}

// Files no editor should produce: each ends the read as a short file does, quickly and within
// bounded memory.
class HostileFiles : public ::testing::Test {
protected:
    testing::TemporaryDirectory directory;
    platform::LocalFileLayer files;
    std::filesystem::path file = directory / kSettingsFileName;
    SettingsFile settings{files, file};
    DrawConditions conditions = mainWindowDefaults();
    DrawRange range;
};

TEST_F(HostileFiles, ADirectoryNamedLikeTheFileChangesNothing) {
    std::filesystem::create_directory(file);
    settings.LoadConditions(conditions, range);
    EXPECT_EQ(conditions, mainWindowDefaults());
    EXPECT_EQ(range, (DrawRange{1, 49}));
}

TEST_F(HostileFiles, OneEnormousLineChangesNothing) {
    testing::writeBytes(file, std::string(8 * 1024 * 1024, '1'));
    settings.LoadConditions(conditions, range);
    EXPECT_EQ(conditions, mainWindowDefaults());
}

TEST_F(HostileFiles, MillionsOfLinesLoadTheFirstFourteen) {
    std::string bytes = linesOf(kFullFile);
    bytes.reserve(bytes.size() + 6'000'000);
    for (int i = 0; i < 2'000'000; ++i) {
        bytes += "1\r\n";
    }
    testing::writeBytes(file, bytes);
    settings.LoadConditions(conditions, range);
    EXPECT_EQ(conditions.Condition, ConditionKind::EvenOnly);
    EXPECT_EQ(range, (DrawRange{1, 90}));
}

// Every byte but the four that end a field (CR, LF, the comma, and a double quote at the start)
// is part of the text, control characters and NUL included, and reads as its Windows-1252
// character; the fields after it still load.
TEST_F(HostileFiles, BinaryBytesAreReadAsWindows1252Text) {
    std::string phrase;
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != '\r' && byte != '\n' && byte != ',') {
            phrase.push_back(static_cast<char>(byte));
        }
    }
    std::vector<std::string> lines = kFullFile;
    lines[8] = phrase;
    testing::writeBytes(file, linesOf(lines));
    settings.LoadConditions(conditions, range);
    EXPECT_EQ(conditions.PhraseText, platform::decodeWindows1252(phrase));
    EXPECT_EQ(conditions.TensDigits, "3");
    EXPECT_EQ(range, (DrawRange{1, 90}));
}

// A save of a file with two names rewrites it in place, after putting a copy of the old contents
// beside it; a crash or a power cut in the middle can leave the file damaged.
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
    settings.LoadConditions(conditions, range);
    EXPECT_EQ(testing::readBytes(file), row.putBack ? linesOf(kFullFile) : kDamaged);
    EXPECT_EQ(range, (row.putBack ? DrawRange{1, 90} : DrawRange{1, 49}));
    EXPECT_EQ(directory.names().size(), 1U + row.secondName + (row.putBack ? 0 : row.copies));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ARewriteCutShort,
    ::testing::Values(
        CutShortCase{"PutsTheCopyBack", true, linesOf(kFullFile), 0600, seconds(1), 1, true},
        // Only a file with two names is ever rewritten in place.
        CutShortCase{"NotForAFileWithOneName", false, linesOf(kFullFile), 0600, seconds(1), 1,
                     false},
        CutShortCase{"NotFromADamagedCopy", true, kDamaged, 0600, seconds(1), 1, false},
        // The copy is private; this is the temporary file of a save by rename.
        CutShortCase{"NotFromAFileOthersMayRead", true, linesOf(kFullFile), 0644, seconds(1), 1,
                     false},
        // Someone wrote the file by hand since.
        CutShortCase{"NotWhenTheFileWasWrittenLongAfter", true, linesOf(kFullFile), 0600,
                     seconds(3600), 1, false},
        CutShortCase{"NotWhenTwoCopiesCouldBeIt", true, linesOf(kFullFile), 0600, seconds(1), 2,
                     false}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quintara::settings
