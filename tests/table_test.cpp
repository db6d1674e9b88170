// SPDX-License-Identifier: MIT
// The halving-doubling table, press by press, as the window shows it.
#include <gtest/gtest.h>

#include "tests/form_fixture.h"

namespace korvanta::testing {
namespace {

using Rows = std::vector<std::string>;

// What the window shows after one press of Calculate.
struct Press {
    Rows left; // the whole left column
    Rows right;
    std::string working;
    double sum;
    std::string auxiliary;
    bool calculateEnabled;
};

struct Example {
    const char *name;
    const char *first;
    const char *second;
    std::vector<Press> presses;
    friend void PrintTo(const Example &value, std::ostream *out) { *out << value.name; }
};

class WorkedExample : public FormTest, public ::testing::WithParamInterface<Example> {};

TEST_P(WorkedExample, PressByPress) {
    const std::string motto(FindControl(ControlArray::Text1, 1)->text);
    Enter(GetParam().first, GetParam().second);
    int number = 1;
    for (const Press &press : GetParam().presses) {
        SCOPED_TRACE("press " + std::to_string(number++));
        Calculate();
        EXPECT_EQ(Column(0), press.left);
        EXPECT_EQ(Column(1), press.right);
        EXPECT_EQ(Working(), press.working);
        EXPECT_EQ(form.state().Sum, press.sum);
        EXPECT_EQ(Auxiliary(), press.auxiliary.empty() ? motto : press.auxiliary);
        EXPECT_EQ(CalculateEnabled(), press.calculateEnabled);
        EXPECT_EQ(form.state().LastRow, static_cast<int>(press.left.size()) - 1);
        EXPECT_EQ(form.state().B, std::stod(press.left.back()));
        EXPECT_EQ(form.state().C, std::stod(press.right.back()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, WorkedExample,
    ::testing::Values(
        Example{"TheWindowsOwnNumbers",
                "24",
                "26",
                {
                    {{"24", "48"}, {"26", "13"}, "48 + ", 48, "48", true},
                    {{"24", "48", "96"}, {"26", "13", "6"}, "48 + ", 48, "96", true},
                    {{"24", "48", "96", "192"}, {"26", "13", "6", "3"}, "48 + 192 + ", 240, "192", true},
                    {{"24", "48", "96", "192", "384"},
                     {"26", "13", "6", "3", "1"},
                     "48 + 192 + 384 = 624\r\n",
                     624,
                     "192",
                     false},
                }},
        Example{"TheTaskStatementsNumbers",
                "34",
                "44",
                {
                    {{"34", "68"}, {"44", "22"}, "", 0, "68", true},
                    {{"34", "68", "136"}, {"44", "22", "11"}, "136 + ", 136, "136", true},
                    {{"34", "68", "136", "272"}, {"44", "22", "11", "5"}, "136 + 272 + ", 408, "272", true},
                    {{"34", "68", "136", "272", "544"}, {"44", "22", "11", "5", "2"}, "136 + 272 + ", 408, "544", true},
                    {{"34", "68", "136", "272", "544", "1088"},
                     {"44", "22", "11", "5", "2", "1"},
                     "136 + 272 + 1088 = 1496\r\n",
                     1496,
                     "544",
                     false},
                }},
        Example{"AnOddSecondFactorShowsOneRowFirst",
                "3",
                "5",
                {
                    {{"3"}, {"5"}, "3 + ", 3, "", true},
                    {{"3", "6"}, {"5", "2"}, "3 + ", 3, "6", true},
                    {{"3", "6", "12"}, {"5", "2", "1"}, "3 + 12 = 15\r\n", 15, "6", false},
                }},
        Example{"FinishedAtTheFirstPress", "7", "2", {{{"7", "14"}, {"2", "1"}, "14 = 14\r\n", 14, "", false}}},
        Example{"OddThenLast",
                "5",
                "3",
                {
                    {{"5"}, {"3"}, "5 + ", 5, "", true},
                    {{"5", "10"}, {"3", "1"}, "5 + 10 = 15\r\n", 15, "", false},
                }},
        Example{"AFractionalFirstFactorSurvivesTheTable",
                "2.5",
                "4",
                {
                    {{"2.5", "5"}, {"4", "2"}, "", 0, "5", true},
                    {{"2.5", "5", "10"}, {"4", "2", "1"}, "10 = 10\r\n", 10, "5", false},
                }},
        Example{"FractionalAndOdd",
                "1.25",
                "3",
                {
                    {{"1.25"}, {"3"}, "1.25 + ", 1.25, "", true},
                    {{"1.25", "2.5"}, {"3", "1"}, "1.25 + 2.5 = 3.75\r\n", 3.75, "", false},
                }}),
    [](const auto &info) { return info.param.name; });

TEST_F(FormTest, TheLongestTableHasFifteenRows) {
    Enter("3", "32767");
    for (int press = 0; press < 20 && CalculateEnabled(); ++press) {
        Calculate();
    }
    EXPECT_EQ(Column(0).size(), 15u);
    EXPECT_EQ(Column(1).back(), "1");
    EXPECT_EQ(form.state().Sum, 3.0 * 32767);
    EXPECT_TRUE(Working().ends_with(" = 98301\r\n"));
}

} // namespace
} // namespace korvanta::testing
