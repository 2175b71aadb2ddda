// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/entry_checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quintara::settings {
namespace {

struct EntryCase {
    std::string name;
    std::optional<ConditionKind> kind;
    // What the kind's boxes hold: the two numbers, the phrase or the tens digit.
    std::string first;
    std::string second;
    std::optional<EntryRefusal> refusal;
    std::string rangeTo = "90";
    std::string rangeFrom = "1";

    friend void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }
};

DrawConditions conditionsOf(const EntryCase& c) {
    DrawConditions conditions = dialogDefaults();
    conditions.kind = c.kind;
    conditions.rangeTo = c.rangeTo;
    conditions.rangeFrom = c.rangeFrom;
    if (c.kind == ConditionKind::Phrase) {
        conditions.phrase = c.first;
    } else if (c.kind == ConditionKind::TensDigit) {
        conditions.tensDigits = c.first;
    } else {
        conditions.firstNumber = c.first;
        conditions.secondNumber = c.second;
    }
    return conditions;
}

std::vector<EntryCase> entryCases() {
    using enum ConditionKind;
    using Refused = EntryRefusal;
    const std::optional<EntryRefusal> accepted;
    std::vector<EntryCase> cases = {
        {"NumberAboveTheRange", MustContain, "95", "", Refused::Numbers},
        {"SecondNumberAbove", MustContain, "12", "91", Refused::Numbers},
        {"HalfBelowTheRange", MustContain, ".5", "", Refused::Numbers},
        {"BothNumbersEmpty", MustContain, "", "", accepted},
        {"Zero", MustContain, "0", "", accepted},
        {"TwoNumbers", MustContain, "5", "77", accepted},
        {"TheRangesEnds", MustContain, "1", "90", accepted},
        {"ANumberOverAnOverflowingRange", MustContain, "5", "", Refused::Numbers, "99999"},
        {"ASecondNumberOverAnOverflowingRange", MustContain, "", "5", Refused::Numbers, "99999"},
        {"NoNumberOverAnOverflowingRange", MustContain, "", "", accepted, "99999"},
        // A range other than 1 to 90, as a hand-edited file holds: its own ends bound the numbers.
        {"BelowARangeFrom10To20", MustContain, "5", "", Refused::Numbers, "20", "10"},
        {"AboveARangeFrom10To20", MustContain, "15", "21", Refused::Numbers, "20", "10"},
        {"TheEndsOfARangeFrom10To20", MustContain, "10", "20", accepted, "20", "10"},
        {"EmptyPhrase", Phrase, "", "", Refused::Phrase},
        {"ABlankPhrase", Phrase, " ", "", accepted},
        {"APhraseWithAComma", Phrase, "Rossi, Mario", "", accepted},
        {"Digit0", TensDigit, "0", "", Refused::TensDigit},
        {"Digit9", TensDigit, "9", "", Refused::TensDigit},
        {"ALetter", TensDigit, "a", "", Refused::TensDigit},
        {"NoDigit", TensDigit, "", "", Refused::TensDigit},
        // Only the selected kind is checked.
        {"NumbersOfAnotherKind", EvenOnly, "99", "", accepted},
        {"NoKindSelected", std::nullopt, "99", "", accepted},
    };
    for (int digit = 1; digit <= 8; ++digit) {
        cases.push_back(
            {"Digit" + std::to_string(digit), TensDigit, std::to_string(digit), "", accepted});
    }
    return cases;
}

class EntryChecks : public ::testing::TestWithParam<EntryCase> {};

TEST_P(EntryChecks, RefuseOnlyWhatTheSelectedKindCannotUse) {
    EXPECT_EQ(entryRefusal(drawRuleOf(conditionsOf(GetParam()))), GetParam().refusal);
}

INSTANTIATE_TEST_SUITE_P(Cases, EntryChecks, ::testing::ValuesIn(entryCases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quintara::settings
