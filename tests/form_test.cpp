// SPDX-License-Identifier: MIT
// The Calculate and Clear commands and the row selection of the main form.
#include <gtest/gtest.h>

#include "tests/decimal_comma_locale.h"
#include "tests/form_fixture.h"

namespace korvanta::testing {
namespace {

const std::string kTaskStatement(FindControl(ControlArray::Text1, 0)->text);

struct Accepted {
    const char *name;
    std::string first;
    std::string second;
    std::string firstWritten; // the inputs as written back
    std::string secondWritten;
    friend void PrintTo(const Accepted &value, std::ostream *out) { *out << value.name; }
};

class AcceptedInputs : public FormTest, public ::testing::WithParamInterface<Accepted> {};

TEST_P(AcceptedInputs, AreWrittenBackInNormalFormAndStartTheTable) {
    Enter(GetParam().first, GetParam().second);
    Calculate();
    EXPECT_EQ(c().Text2(0).Text(), GetParam().firstWritten);
    EXPECT_EQ(c().Text2(1).Text(), GetParam().secondWritten);
    ASSERT_FALSE(Column(0).empty());
    EXPECT_EQ(Column(0).front(), GetParam().firstWritten);
    EXPECT_EQ(Column(1).front(), GetParam().secondWritten);
    EXPECT_NE(Working(), kTaskStatement);
}

INSTANTIATE_TEST_SUITE_P(Inputs, AcceptedInputs,
                         ::testing::Values(Accepted{"AsTheWindowOpens", "24", "26", "24", "26"},
                                           Accepted{"BlanksZerosAndLetters", " 024", "26abc", "24", "26"},
                                           Accepted{"SecondTieRoundsToEven", "5", "2.5", "5", "2"},
                                           Accepted{"SecondTieRoundsUpToEven", "5", "3.5", "5", "4"},
                                           Accepted{"SecondRoundedUpToTwo", "5", "1.5", "5", "2"},
                                           Accepted{"FirstStaysFractional", "2.5", "4", "2.5", "4"},
                                           Accepted{"FirstJustAboveOne", "1.001", "3", "1.001", "3"},
                                           Accepted{"FirstAboveOneInTheFifteenthDigit", "1.00000000000001", "3",
                                                    "1.00000000000001", "3"},
                                           Accepted{"ExponentAndHex", "1E3", "&H10", "1000", "16"},
                                           Accepted{"LargestSecond", "2", "32767.4", "2", "32767"},
                                           Accepted{"FirstJustBelowTheLimit", "9.99E302", "2", "9.99E+302", "2"},
                                           Accepted{"FirstInScientificForm", "5E15", "3", "5E+15", "3"}),
                         [](const auto &info) { return info.param.name; });

struct Rejected {
    const char *name;
    std::string first;
    std::string second;
    std::string_view message;
    friend void PrintTo(const Rejected &value, std::ostream *out) { *out << value.name; }
};

class RejectedInputs : public FormTest, public ::testing::WithParamInterface<Rejected> {};

TEST_P(RejectedInputs, ReplaceTheWorkingTextAndChangeNothingElse) {
    Enter(GetParam().first, GetParam().second);
    const std::string motto = Auxiliary();
    Calculate();
    EXPECT_EQ(Working(), GetParam().message);
    EXPECT_EQ(c().Text2(0).Text(), GetParam().first) << "inputs are not written back";
    EXPECT_EQ(c().Text2(1).Text(), GetParam().second);
    EXPECT_TRUE(Column(0).empty());
    EXPECT_TRUE(Column(1).empty());
    EXPECT_EQ(Auxiliary(), motto);
    EXPECT_TRUE(CalculateEnabled());
}

INSTANTIATE_TEST_SUITE_P(Inputs, RejectedInputs,
                         ::testing::Values(Rejected{"FirstIsOne", "1", "5", kNotGreaterThanOne},
                                           Rejected{"SecondIsOne", "5", "1", kNotGreaterThanOne},
                                           Rejected{"FirstEmpty", "", "5", kNotGreaterThanOne},
                                           Rejected{"SecondNotANumber", "5", "abc", kNotGreaterThanOne},
                                           Rejected{"SecondRoundsDownToOne", "5", "1.4", kNotGreaterThanOne},
                                           Rejected{"NegativeFirst", "-24", "26", kNotGreaterThanOne},
                                           Rejected{"NegativeSecond", "24", "-26", kNotGreaterThanOne},
                                           Rejected{"FirstBelowOne", "0.5", "26", kNotGreaterThanOne},
                                           Rejected{"FirstAboveOneOnlyPastFifteenDigits", "1.0000000000000001", "26",
                                                    kNotGreaterThanOne},
                                           Rejected{"DecimalCommaReadsAsOne", "1,5", "26", kNotGreaterThanOne},
                                           Rejected{"SecondTooLarge", "24", "40000", kTooLarge},
                                           Rejected{"SecondRoundsAboveSixteenBits", "24", "32767.5", kTooLarge},
                                           Rejected{"SecondInfinite", "24", "1E400", kTooLarge},
                                           Rejected{"SecondWiderThan32Bits", "24", "&H100000000", kTooLarge},
                                           Rejected{"FirstOverflowsADouble", "1E400", "26", kTooLarge},
                                           Rejected{"FirstAtTheLimit", "1E303", "26", kTooLarge},
                                           Rejected{"FirstWouldOverflowWhenDoubled", "1E308", "2", kTooLarge},
                                           Rejected{"NotGreaterThanOneComesFirst", "1", "40000", kNotGreaterThanOne},
                                           Rejected{"FarBelowSixteenBits", "24", "-40000", kNotGreaterThanOne},
                                           Rejected{"TooLargeAndBelowOne", "1E400", "0", kNotGreaterThanOne}),
                         [](const auto &info) { return info.param.name; });

TEST_F(FormTest, OpensWithTheTaskStatementAndTheDefaultInputs) {
    EXPECT_EQ(Working(), kTaskStatement);
    EXPECT_EQ(c().Text2(0).Text(), "24");
    EXPECT_EQ(c().Text2(1).Text(), "26");
    EXPECT_TRUE(CalculateEnabled());
    EXPECT_TRUE(Column(0).empty());
}

TEST_F(FormTest, AMessageInTheMiddleOfATableIsExtendedByTheNextStep) {
    Calculate(); // 24 : 26, 48 : 13
    Enter("0", "26");
    Calculate();
    EXPECT_EQ(Working(), kNotGreaterThanOne);
    EXPECT_EQ(Column(0).size(), 2u);
    EXPECT_EQ(c().Text2(0).Text(), "0");

    Enter("24", "26");
    Calculate(); // 96 : 6
    EXPECT_EQ(Working(), std::string(kNotGreaterThanOne));
    Calculate(); // 192 : 3
    EXPECT_EQ(Working(), std::string(kNotGreaterThanOne) + "192 + ");

    Enter("24", "99999");
    Calculate();
    EXPECT_EQ(Working(), kTooLarge);
    EXPECT_EQ(Column(0).size(), 4u);
    Enter("24", "26");
    Calculate(); // 384 : 1
    EXPECT_EQ(Working(), std::string(kTooLarge) + "384 = 624\r\n");
    EXPECT_EQ(form.state().Sum, 624);
    EXPECT_FALSE(CalculateEnabled());
}

TEST_F(FormTest, AFractionalFactorKeepsItsValueInALocaleWithADecimalComma) {
    DecimalCommaLocale locale;
    if (!locale.active()) {
        GTEST_SKIP() << "no locale with a decimal comma installed";
    }
    Enter("2.5", "4");
    Calculate();
    Calculate();
    EXPECT_EQ(Column(0), (std::vector<std::string>{"2.5", "5", "10"}));
    EXPECT_EQ(c().Text2(0).Text(), "2.5");
    EXPECT_EQ(Working(), "10 = 10\r\n");
}

TEST_F(FormTest, TheInputsOnlyMatterWhenATableStarts) {
    Calculate();
    Enter(" 7", "3.5");
    Calculate(); // continues from 48 : 13
    EXPECT_EQ(c().Text2(0).Text(), "7");
    EXPECT_EQ(c().Text2(1).Text(), "4");
    EXPECT_EQ(Column(0), (std::vector<std::string>{"24", "48", "96"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"26", "13", "6"}));
}

TEST_F(FormTest, ClearEmptiesEverythingAndAFreshTableStartsWithNoSum) {
    Calculate();
    Calculate();
    Calculate(); // Sum 240
    Clear();
    EXPECT_TRUE(Column(0).empty());
    EXPECT_TRUE(Column(1).empty());
    EXPECT_EQ(c().Text2(0).Text(), "");
    EXPECT_EQ(c().Text2(1).Text(), "");
    EXPECT_EQ(Working(), "");
    EXPECT_TRUE(CalculateEnabled());

    Enter("5", "3");
    Calculate();
    Calculate();
    EXPECT_EQ(Working(), "5 + 10 = 15\r\n");
    EXPECT_EQ(form.state().Sum, 15);
}

TEST_F(FormTest, ClearAfterAFinishedTableEnablesCalculate) {
    Enter("7", "2");
    Calculate();
    ASSERT_FALSE(CalculateEnabled());
    Clear();
    EXPECT_TRUE(CalculateEnabled());
    Calculate(); // the inputs were emptied
    EXPECT_EQ(Working(), kNotGreaterThanOne);
}

TEST_F(FormTest, ClearRemovesTheTaskStatement) {
    Clear();
    EXPECT_EQ(Working(), "");
}

TEST_F(FormTest, OtherButtonIndexesDoNothing) {
    form.Command1_Click(2);
    form.Command1_Click(-1);
    form.List1_Click(2);
    EXPECT_EQ(Working(), kTaskStatement);
    EXPECT_EQ(c().Text2(0).Text(), "24");
}

// Counts the list clicks the form receives while passing them on.
class CountingForm final : public FormEvents {
public:
    explicit CountingForm(Korvanta &form) : form_(form) {}
    void Command1_Click(std::int16_t index) override { form_.Command1_Click(index); }
    void List1_Click(std::int16_t index) override {
        ++clicks;
        form_.List1_Click(index);
    }
    int clicks = 0;

private:
    Korvanta &form_;
};

struct Selection {
    const char *name;
    std::int16_t list;
    std::int16_t row;
    friend void PrintTo(const Selection &value, std::ostream *out) { *out << value.name; }
};

class RowSelection : public FormTest, public ::testing::WithParamInterface<Selection> {};

TEST_P(RowSelection, SelectsTheSameRowInBothColumnsAndEnds) {
    CountingForm counting(form);
    window.Connect(counting);
    Calculate();
    Calculate();
    Calculate();
    window.SelectRow(GetParam().list, GetParam().row);
    EXPECT_EQ(c().List1(0).ListIndex(), GetParam().row);
    EXPECT_EQ(c().List1(1).ListIndex(), GetParam().row);
    EXPECT_EQ(counting.clicks, 2) << "the user's click and one echo from the other column";
}

INSTANTIATE_TEST_SUITE_P(Rows, RowSelection,
                         ::testing::Values(Selection{"RightColumnRow2", 1, 2}, Selection{"LeftColumnRow2", 0, 2},
                                           Selection{"LeftColumnFirstRow", 0, 0},
                                           Selection{"RightColumnLastRow", 1, 3}),
                         [](const auto &info) { return info.param.name; });

TEST_F(FormTest, ASecondSelectionMovesBothColumns) {
    Calculate();
    Calculate();
    window.SelectRow(0, 1);
    window.SelectRow(1, 2);
    EXPECT_EQ(c().List1(0).ListIndex(), 2);
    EXPECT_EQ(c().List1(1).ListIndex(), 2);
    Clear();
    EXPECT_EQ(c().List1(0).ListIndex(), -1);
    EXPECT_EQ(c().List1(1).ListIndex(), -1);
}

} // namespace
} // namespace korvanta::testing
