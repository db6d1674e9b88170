// SPDX-License-Identifier: MIT
// Practice: the pupil builds a table of the method step by step and each step is checked
// at once. A task is two whole factors; the pupil enters each next row (the left value
// doubled, the right value halved without its remainder) until the right value is 1,
// marks the rows with an odd right value, and writes their sum, the product. Every check
// says in plain Bulgarian what is right or what went wrong, on the pupil's own numbers.
// After three wrong tries at one step the right entry is shown and the exercise goes on.
// The words are said in the language chosen when they are shown (calc/texts.h), so the
// same feedback can be shown again in another language. Pure and toolkit-free: the
// practice window puts it on the screen.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta {

struct Task {
    std::int64_t first = 0;
    std::int64_t second = 0;
    friend bool operator==(const Task &, const Task &) = default;
};

// The levels a teacher names in class, with the largest factors each gives.
enum class Level { Easy, Medium, Hard };
struct LevelRange {
    std::int64_t first;
    std::int64_t second;
};
LevelRange RangeOf(Level level);

// Words to show: a function, so that they are said in the language chosen when shown.
using Words = std::function<std::string()>;

// A source of random numbers: a whole number from `low` to `high`, both included.
using Random = std::function<std::int64_t(std::int64_t low, std::int64_t high)>;

// A random task of the level: Number 1 from 2, Number 2 from 3, never a power of two (its
// table would add only the last row), and never the task `previous`.
Task RandomTask(Level level, const Random &random, std::optional<Task> previous = std::nullopt);

// The largest factors a pupil or a teacher may type for a task of their own.
inline constexpr std::int64_t kLargestFirst = 999999;
inline constexpr std::int64_t kLargestSecond = 65535;

// A task typed by hand: both factors whole numbers from 2 up to the largest above.
// Otherwise what is wrong with them, for the pupil.
struct TypedTask {
    std::optional<Task> task;
    Words problem;
};
TypedTask ReadTask(std::string_view first, std::string_view second);

struct PracticeRow {
    std::int64_t left = 0;
    std::int64_t right = 0;
    bool marked = false; // the pupil has put it into the sum
};

// What the exercise asks for next.
enum class Stage { Rows, Marks, Product, Done };

// How an entry went: right; wrong (a mistake, the pupil tries again); wrong for the third
// time, so the right entry was made instead; or no answer at all (an empty box, not a
// number, or not the time for it), which is not a mistake.
enum class Outcome { Right, Wrong, Shown, NoAnswer };

struct Feedback {
    Outcome outcome;
    Words words;
    std::string text() const; // the words in the language chosen now
};

class Exercise {
public:
    explicit Exercise(Task task);

    const Task &task() const { return task_; }
    // The rows so far; the first is the task itself.
    std::span<const PracticeRow> rows() const { return rows_; }
    Stage stage() const { return stage_; }

    // The next row, as the pupil typed its two values.
    Feedback EnterRow(std::string_view left, std::string_view right);
    // Puts row `row` into the sum (-1: no row chosen).
    Feedback Mark(int row);
    // The product, as typed.
    Feedback EnterProduct(std::string_view product);

    // What to do now, for the pupil.
    Words Hint() const;
    // The steps so far (each row, the marks, the product), those right at the first try,
    // and every wrong entry.
    int steps() const { return steps_; }
    int rightAtFirstTry() const { return firstTry_; }
    int mistakes() const { return mistakes_; }

private:
    Feedback Wrong(Words words, const std::function<Words()> &showRight);
    Feedback Right(Words words);
    void AddRow(PracticeRow row);
    int Unmarked() const;
    std::int64_t Product() const;

    Task task_;
    std::vector<PracticeRow> rows_;
    Stage stage_ = Stage::Rows;
    int tries_ = 0; // wrong tries at the current step
    int steps_ = 0;
    int firstTry_ = 0;
    int mistakes_ = 0;
};

// "1, 3 и 4": the numbers joined as the language chosen lists them.
std::string ListInWords(std::span<const std::string> parts);

} // namespace korvanta
