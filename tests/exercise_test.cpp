// SPDX-License-Identifier: MIT
// The practice's checks: each step of the method, each kind of mistake explained on the
// pupil's own numbers, the third wrong try, anything typed, and the random tasks.
#include "calc/exercise.h"

#include <gtest/gtest.h>

#include <random>

namespace korvanta {
namespace {

std::vector<std::string> Rows(const Exercise &exercise) {
    std::vector<std::string> rows;
    for (const PracticeRow &row : exercise.rows()) {
        rows.push_back(std::to_string(row.left) + ":" + std::to_string(row.right) + (row.marked ? "+" : ""));
    }
    return rows;
}

TEST(Exercise, TheWorkedExampleDoneRightFromStartToEnd) {
    Exercise e({24, 26});
    for (const auto &[left, right] : {std::pair{"48", "13"}, {"96", "6"}, {"192", "3"}}) {
        EXPECT_EQ(e.EnterRow(left, right).outcome, Outcome::Right);
        EXPECT_EQ(e.stage(), Stage::Rows);
    }
    EXPECT_EQ(e.EnterRow(" 384", "1 ").text,
              "Вярно! Числото вдясно стана 1: таблицата е готова. Сега отбележи редовете с нечетно число "
              "вдясно: избери ред и натисни „В сумата“.");
    EXPECT_EQ(e.Mark(1).text, "Вярно: 13 е нечетно число, ред 2 влиза в сумата. Остават още 2 реда.");
    e.Mark(3);
    EXPECT_EQ(e.Mark(4).outcome, Outcome::Right);
    EXPECT_EQ(e.stage(), Stage::Product);
    EXPECT_EQ(Rows(e), (std::vector<std::string>{"24:26", "48:13+", "96:6", "192:3+", "384:1+"}));
    EXPECT_EQ(e.EnterProduct("624").text, "Браво! 24 × 26 = 48 + 192 + 384 = 624.");
    EXPECT_EQ(e.stage(), Stage::Done);
    EXPECT_EQ(e.steps(), 6);
    EXPECT_EQ(e.rightAtFirstTry(), 6);
    EXPECT_EQ(e.mistakes(), 0);
}

TEST(Exercise, EachMistakeIsExplainedAndNotAdded) {
    Exercise e({24, 26});
    EXPECT_EQ(e.EnterRow("48", "12").text, "26 : 2 = 13, а не 12. Опитай пак.");
    e.EnterRow("48", "13");
    EXPECT_EQ(e.EnterRow("86", "6").text, "48 × 2 = 96, а не 86. Опитай пак.");
    e.EnterRow("96", "6");
    e.EnterRow("192", "3");
    EXPECT_EQ(e.EnterRow("384", "2").text, "3 : 2 = 1 и остатък 1. Остатъкът не се пише — пишем 1. Опитай пак.");
    EXPECT_EQ(e.EnterRow("384", "1.5").outcome, Outcome::Wrong) << "half of 3 kept as a fraction";
    EXPECT_EQ(Rows(e).size(), 4u) << "a wrong row is not added";

    const Feedback third = e.EnterRow("380", "0");
    EXPECT_EQ(third.outcome, Outcome::Shown);
    EXPECT_EQ(third.text, "192 × 2 = 384, а не 380. 3 : 2 = 1 и остатък 1. Пишем 1, а не 0.\r\n"
                          "Правилният ред е 384 и 1. Записах го вместо теб. Сега отбележи редовете с нечетно число "
                          "вдясно: избери ред и натисни „В сумата“.");
    EXPECT_EQ(e.stage(), Stage::Marks) << "nobody is stuck";

    EXPECT_EQ(e.Mark(2).text, "6 е четно число: ред 3 не влиза в сумата. Опитай пак.");
    e.Mark(0);
    EXPECT_EQ(e.Mark(-1).outcome, Outcome::NoAnswer);
    EXPECT_EQ(e.Mark(2).outcome, Outcome::Shown) << "the third wrong mark";
    EXPECT_EQ(Rows(e), (std::vector<std::string>{"24:26", "48:13+", "96:6", "192:3+", "384:1+"}));

    EXPECT_EQ(e.EnterProduct("614").text, "48 + 192 + 384 не прави 614. Опитай пак.");
    EXPECT_EQ(e.steps(), 5);
    EXPECT_EQ(e.rightAtFirstTry(), 1);
    EXPECT_EQ(e.mistakes(), 9);
}

TEST(Exercise, WhatIsNotAnAnswerGetsAPlainMessageAndCountsForNothing) {
    Exercise e({7, 2});
    EXPECT_EQ(e.EnterProduct("14").outcome, Outcome::NoAnswer) << "not the time for it";
    EXPECT_EQ(e.Mark(0).text, "Първо довърши таблицата: числото вдясно още не е 1.");
    EXPECT_EQ(e.EnterRow("", "1").text, "Полето вляво е празно: напиши число.");
    EXPECT_EQ(e.EnterRow("четиринайсет", "едно").text,
              "В полето вляво няма число. Пиши само цифри. В полето вдясно няма число. Пиши само цифри.");
    EXPECT_EQ(e.EnterRow("-5", "1").text, "В таблицата няма отрицателни числа: махни минуса в полето вляво.");
    EXPECT_EQ(e.EnterRow(std::string(32, '9'), "1").text, "Числото в полето вляво е твърде голямо.");
    EXPECT_EQ(e.EnterRow("14", "1E400").outcome, Outcome::NoAnswer);
    EXPECT_EQ(e.EnterRow(std::string(1 << 20, '7'), "1").outcome, Outcome::NoAnswer) << "a paste of a megabyte";
    EXPECT_EQ(e.mistakes(), 0);
    EXPECT_EQ(e.EnterRow("14", "1").outcome, Outcome::Right);
    EXPECT_EQ(e.Mark(0).outcome, Outcome::Wrong) << "2 is even";
    EXPECT_EQ(e.Mark(1).outcome, Outcome::Right);
    EXPECT_EQ(e.EnterProduct("15").text, "В сумата е само 14, а не 15. Опитай пак.");
    EXPECT_EQ(e.EnterProduct("14").text, "Браво! 7 × 2 = 14.");
}

TEST(Exercise, ATaskTypedByHandIsTwoWholeNumbersInRange) {
    EXPECT_EQ(ReadTask(" 24", "26 ").task, (Task{24, 26}));
    EXPECT_EQ(ReadTask("999999", "65535").task, (Task{999999, 65535}));
    for (const auto &[first, second] : {std::pair{"1", "26"}, {"24", "65536"}, {"2.5", "4"}, {"", "x"}}) {
        const TypedTask typed = ReadTask(first, second);
        EXPECT_FALSE(typed.task) << first << " × " << second;
        EXPECT_FALSE(typed.problem.empty());
    }
    EXPECT_EQ(ReadTask("1", "26").problem, "За задача напиши в полето за Число 1 цяло число от 2 до 999999.");
}

TEST(RandomTask, StaysInItsLevelAndNeverGivesAPowerOfTwoOrTheSameTaskTwice) {
    std::mt19937_64 engine(7);
    const Random random = [&engine](std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(engine);
    };
    for (const Level level : {Level::Easy, Level::Medium, Level::Hard}) {
        std::optional<Task> previous;
        for (int draw = 0; draw < 2000; ++draw) {
            const Task task = RandomTask(level, random, previous);
            ASSERT_GE(task.first, 2);
            ASSERT_LE(task.first, RangeOf(level).first);
            ASSERT_GE(task.second, 3);
            ASSERT_LE(task.second, RangeOf(level).second);
            ASSERT_NE(task.second & (task.second - 1), 0) << task.second;
            ASSERT_NE(previous, task);
            previous = task;
        }
    }
    // A source that always answers the same still gives a new task each time.
    const Random stuck = [](std::int64_t low, std::int64_t) { return low; };
    EXPECT_EQ(RandomTask(Level::Easy, stuck), (Task{2, 3}));
    EXPECT_NE(RandomTask(Level::Easy, stuck, Task{2, 3}), (Task{2, 3}));
}

} // namespace
} // namespace korvanta
