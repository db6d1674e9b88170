// SPDX-License-Identifier: MIT
// What the rows of a table tell, on the tables a pupil makes, and that the explanation
// describes the rows whatever the inputs and the working box hold in the middle of a table.
#include "calc/explanation.h"

#include <gtest/gtest.h>

#include "calc/conversions.h"

#include "tests/form_fixture.h"

namespace korvanta::testing {
namespace {

using Texts = std::vector<std::string>;

class ExplanationTest : public FormTest {
protected:
    Explanation Now() { return Explain(Column(0), Column(1), Working()); }
    void PressUntilFinished() {
        for (int press = 0; press < 20 && CalculateEnabled(); ++press) {
            Calculate();
        }
    }
};

TEST_F(ExplanationTest, TheWorkedExample) {
    PressUntilFinished();
    const Explanation e = Now();
    ASSERT_EQ(e.rows.size(), 5u);
    const int remainders[] = {0, 1, 0, 1, 1};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(e.rows[k].k, k);
        EXPECT_EQ(e.rows[k].power, std::to_string(1 << k));
        EXPECT_EQ(e.rows[k].remainder, remainders[k]);
        EXPECT_EQ(e.rows[k].counted, remainders[k] == 1);
        EXPECT_EQ(e.rows[k].left, Column(0)[k]);
        EXPECT_EQ(e.rows[k].right, Column(1)[k]);
    }
    EXPECT_TRUE(e.finished);
    EXPECT_EQ(e.digits, "11010");
    EXPECT_EQ(e.powers, (Texts{"16", "8", "2"}));
    EXPECT_EQ(e.terms, (Texts{"24 × 2", "24 × 8", "24 × 16"}));
    EXPECT_EQ(e.addends, (Texts{"48", "192", "384"}));
    EXPECT_EQ(e.product, "624");
}

struct Case {
    const char *first;
    const char *second;
    int presses; // 0: until finished
    Texts powers;
    Texts terms;
    Texts addends;
    std::string digits;
    std::string product;
};

class SmallAndLargeTables : public ExplanationTest, public ::testing::WithParamInterface<Case> {};

TEST_P(SmallAndLargeTables, ComeOutRight) {
    const Case &c = GetParam();
    Clear();
    Enter(c.first, c.second);
    if (c.presses == 0) {
        PressUntilFinished();
    }
    for (int press = 0; press < c.presses; ++press) {
        Calculate();
    }
    const Explanation e = Now();
    EXPECT_EQ(e.digits, c.digits);
    EXPECT_EQ(e.finished, !c.product.empty());
    EXPECT_EQ(e.powers, c.powers);
    EXPECT_EQ(e.terms, c.terms);
    EXPECT_EQ(e.addends, c.addends);
    EXPECT_EQ(e.product, c.product);
}

INSTANTIATE_TEST_SUITE_P(Tables, SmallAndLargeTables,
                         ::testing::Values(Case{"2.5", "4", 0, {"4"}, {"2.5 × 4"}, {"10"}, "100", "10"},
                                           Case{"5", "3", 1, {}, {}, {}, "1", ""}, // one row, not finished
                                           Case{"5", "3", 0, {"2", "1"}, {"5 × 1", "5 × 2"}, {"5", "10"}, "11", "15"},
                                           Case{"7", "2", 0, {"2"}, {"7 × 2"}, {"14"}, "10", "14"}),
                         [](const auto &info) { return "Table" + std::to_string(info.index); });

// The largest table: a first factor just below the limit and 32767, all fifteen rows
// counted; the product is the working box's, the sum of the left column.
TEST_F(ExplanationTest, TheLargestTable) {
    Clear();
    Enter("9.99999999999999E+302", "32767");
    PressUntilFinished();
    const Explanation e = Now();
    ASSERT_EQ(e.rows.size(), 15u);
    EXPECT_EQ(e.digits, "111111111111111");
    EXPECT_EQ(e.powers.front(), "16384");
    EXPECT_EQ(e.terms.back(), "9.99999999999999E+302 × 16384");
    EXPECT_EQ(e.addends, Column(0));
    double sum = 0;
    for (const std::string &left : Column(0)) {
        sum += TextToNumber(left);
    }
    EXPECT_EQ(e.product, NumberToText(sum));
    EXPECT_EQ(Working(), Join(e.addends, " + ") + " = " + e.product + "\r\n");
}

// A message in the middle of a table, and inputs edited there, change nothing of what the
// rows tell: the product is still the one the working box closes with.
TEST_F(ExplanationTest, DescribesTheRowsNotTheInputsNorTheMessage) {
    Calculate();
    Calculate();
    Enter("1", "5");
    Calculate(); // refused: the message replaces the working text
    ASSERT_EQ(Working(), kNotGreaterThanOne);
    Explanation e = Now();
    EXPECT_EQ(e.rows.size(), 3u);
    EXPECT_EQ(e.digits, "010");
    Enter("5", "3");
    PressUntilFinished();
    e = Now();
    EXPECT_EQ(e.rows.front().left, "24");
    EXPECT_EQ(e.rows.front().right, "26");
    EXPECT_EQ(e.terms, (Texts{"24 × 2", "24 × 8", "24 × 16"}));
    EXPECT_EQ(e.product, "624");
}

TEST(Equation, LeavesOutWhatRepeats) {
    EXPECT_EQ(Equation(Texts{"7 × 2", "7 × 2", "14", "14"}), "7 × 2 = 14");
    EXPECT_EQ(Equation(Texts{"26", "16 + 8 + 2", "11010"}), "26 = 16 + 8 + 2 = 11010");
    EXPECT_EQ(Equation(Texts{"a", "", "a", "b"}), "a = b");
}

} // namespace
} // namespace korvanta::testing
