// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conversions/list_input.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace quintara::conversions {
namespace {

// Every field the input yields before it fails.
std::vector<std::string> fieldsOf(const std::string& bytes) {
    std::istringstream file(bytes);
    ListInput input(file);
    std::vector<std::string> fields;
    while (auto field = input.readField()) {
        fields.push_back(*field);
    }
    return fields;
}

using Fields = std::vector<std::string>;

struct ListCase {
    const char* name;
    std::string file;
    Fields expected;

    friend void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name; }
};

class ListInputReads : public ::testing::TestWithParam<ListCase> {};

TEST_P(ListInputReads, FieldsAsListInputDoes) {
    EXPECT_EQ(fieldsOf(GetParam().file), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListInputReads,
    ::testing::Values(
        ListCase{"CrLfLines", "1\r\n0\r\n", Fields{"1", "0"}},
        ListCase{"LoneLfLines", "1\n0\n", Fields{"1", "0"}},
        ListCase{"LoneCrLines", "1\r0\r", Fields{"1", "0"}},
        ListCase{"MixedLineEnds", "a\r\nb\nc\rd", Fields{"a", "b", "c", "d"}},
        ListCase{"EmptyLinesAreEmptyFields", "\r\n\r\nx\r\n", Fields{"", "", "x"}},
        ListCase{"LastLineWithoutLineEnd", "a\r\nb", Fields{"a", "b"}},
        ListCase{"EmptyFile", "", Fields{}},
        ListCase{"LeadingBlanksAndTabsSkipped", "  \tabc\r\n", Fields{"abc"}},
        ListCase{"TrailingBlanksKept", "abc  \r\n", Fields{"abc  "}},
        ListCase{"BlankLineIsEmptyField", "   \r\nx\r\n", Fields{"", "x"}},
        ListCase{"CommaSplitsALine", "Rossi, Mario\r\n1\r\n", Fields{"Rossi", "Mario", "1"}},
        ListCase{"TrailingCommaLeavesAnEmptyField", "a,\r\nb\r\n", Fields{"a", "", "b"}},
        ListCase{"QuotesAreDropped", "\"Rossi, Mario\"\r\n", Fields{"Rossi, Mario"}},
        ListCase{"RestAfterClosingQuoteSkipped", "\"ab\"cd,ef\r\n", Fields{"ab", "ef"}},
        ListCase{"QuotedLeadingBlanksKept", "\"  x\"\r\n", Fields{"  x"}},
        ListCase{"UnclosedQuoteEndsAtLineEnd", "\"abc\r\nnext\r\n", Fields{"abc", "next"}},
        ListCase{"QuoteInsideUnquotedFieldKept", "Mario \"il Grande\"\r\n",
                 Fields{"Mario \"il Grande\""}},
        ListCase{"NulAndHighBytesAreOrdinary", std::string("a\0b\xE8\r\n", 6),
                 Fields{std::string("a\0b\xE8", 4)}}),
    [](const auto& info) { return info.param.name; });

TEST(ListInput, ReadingPastTheEndFailsAndStaysFailed) {
    std::istringstream file("only\r\n");
    ListInput input(file);
    EXPECT_EQ(input.readField(), "only");
    EXPECT_EQ(input.readField(), std::nullopt);
    EXPECT_EQ(input.readField(), std::nullopt);
}

TEST(ListInput, AFieldLongerThan64KiBIsAFailure) {
    const std::string longest(ListInput::kMaxFieldBytes, 'x');
    EXPECT_EQ(fieldsOf(longest + "\r\n"), Fields{longest});
    EXPECT_EQ(fieldsOf(longest + "x\r\n"), Fields{});
    EXPECT_EQ(fieldsOf("ok\r\n\"" + longest + "\"\r\n"), Fields{"ok"});
    EXPECT_EQ(fieldsOf("ok\r\n" + std::string(ListInput::kMaxFieldBytes + 1, ' ') + "x"),
              Fields{"ok"});
}

}  // namespace
}  // namespace quintara::conversions
