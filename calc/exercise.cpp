// SPDX-License-Identifier: MIT

#include "calc/exercise.h"

#include <algorithm>
#include <cmath>

#include "calc/conversions.h"
#include "calc/explanation.h"

namespace korvanta {
namespace {

std::string Str(std::int64_t value) { return std::to_string(value); }

// The n-th whole number from 3 on that is not a power of two (the first is 3).
std::int64_t NthNotPowerOfTwo(std::int64_t n) {
    std::int64_t value = 2 + n;
    // Each power of two up to the value pushes it one further.
    for (std::int64_t power = 4; power <= value; power *= 2) {
        ++value;
    }
    return value;
}

std::int64_t CountNotPowersOfTwo(std::int64_t largest) {
    std::int64_t count = largest - 2; // 3 .. largest
    for (std::int64_t power = 4; power <= largest; power *= 2) {
        --count;
    }
    return count;
}

// A whole number a pupil typed into the box `where`, or why it is not one.
struct Typed {
    double value = 0;
    std::string problem; // empty when the box holds a number
};

Typed ReadTyped(std::string_view text, std::string_view where) {
    const std::string box(where);
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        return {0, "Полето " + box + " е празно: напиши число."};
    }
    if (text.find_first_of("0123456789") == std::string_view::npos) {
        return {0, "В полето " + box + " няма число. Пиши само цифри."};
    }
    const double value = TextToNumber(text);
    if (!std::isfinite(value) || std::fabs(value) >= 1e15) {
        return {value, "Числото в полето " + box + " е твърде голямо."};
    }
    if (value < 0) {
        return {value, "В таблицата няма отрицателни числа: махни минуса в полето " + box + "."};
    }
    return {value, ""};
}

bool Is(double typed, std::int64_t expected) { return typed == static_cast<double>(expected); }

} // namespace

LevelRange RangeOf(Level level) {
    switch (level) {
    case Level::Easy:
        return {99, 31};
    case Level::Medium:
        return {999, 255};
    case Level::Hard:
        break;
    }
    return {9999, 4095};
}

Task RandomTask(Level level, const Random &random, std::optional<Task> previous) {
    const LevelRange range = RangeOf(level);
    Task task{random(2, range.first), NthNotPowerOfTwo(random(1, CountNotPowersOfTwo(range.second)))};
    if (previous && task == *previous) {
        // Another first factor, drawn from the others, so that no drawing is ever repeated.
        const std::int64_t other = random(2, range.first - 1);
        task.first = other >= previous->first ? other + 1 : other;
    }
    return task;
}

TypedTask ReadTask(std::string_view first, std::string_view second) {
    const auto read = [](std::string_view text, std::string_view where, std::int64_t largest,
                         std::optional<std::int64_t> &value) -> std::string {
        const Typed typed = ReadTyped(text, where);
        if (!typed.problem.empty()) {
            return typed.problem;
        }
        if (typed.value < 2 || typed.value > static_cast<double>(largest) || typed.value != std::floor(typed.value)) {
            return "За задача напиши в полето " + std::string(where) + " цяло число от 2 до " + Str(largest) + ".";
        }
        value = static_cast<std::int64_t>(typed.value);
        return "";
    };
    std::optional<std::int64_t> a;
    std::optional<std::int64_t> b;
    const std::string problems[] = {read(first, "за Число 1", kLargestFirst, a),
                                    read(second, "за Число 2", kLargestSecond, b)};
    TypedTask typed;
    for (const std::string &problem : problems) {
        if (!problem.empty()) {
            typed.problem += (typed.problem.empty() ? "" : " ") + problem;
        }
    }
    if (a && b) {
        typed.task = Task{*a, *b};
    }
    return typed;
}

std::string ListInWords(std::span<const std::string> parts) {
    if (parts.size() < 2) {
        return Join(parts, "");
    }
    return Join(parts.first(parts.size() - 1), ", ") + " и " + parts.back();
}

Exercise::Exercise(Task task) : task_(task) {
    rows_.push_back({task.first, task.second, false});
    if (task.second == 1) {
        stage_ = Stage::Marks;
    }
}

int Exercise::Unmarked() const {
    return static_cast<int>(std::count_if(rows_.begin(), rows_.end(),
                                          [](const PracticeRow &row) { return row.right % 2 == 1 && !row.marked; }));
}

std::int64_t Exercise::Product() const { return task_.first * task_.second; }

void Exercise::AddRow(PracticeRow row) {
    rows_.push_back(row);
    if (row.right == 1) {
        stage_ = Stage::Marks;
    }
}

Feedback Exercise::Right(std::string text) {
    ++steps_;
    if (tries_ == 0) {
        ++firstTry_;
    }
    tries_ = 0;
    return {Outcome::Right, std::move(text)};
}

Feedback Exercise::Wrong(std::string text, const std::function<std::string()> &showRight) {
    ++mistakes_;
    if (++tries_ < 3) {
        return {Outcome::Wrong, std::move(text) + " Опитай пак."};
    }
    tries_ = 0;
    ++steps_;
    return {Outcome::Shown, std::move(text) + "\r\n" + showRight()};
}

Feedback Exercise::EnterRow(std::string_view leftText, std::string_view rightText) {
    if (stage_ != Stage::Rows) {
        return {Outcome::NoAnswer, "Таблицата е готова: числото вдясно вече е 1. " + Hint()};
    }
    const Typed left = ReadTyped(leftText, "вляво");
    const Typed right = ReadTyped(rightText, "вдясно");
    if (!left.problem.empty() || !right.problem.empty()) {
        return {Outcome::NoAnswer,
                left.problem + (left.problem.empty() || right.problem.empty() ? "" : " ") + right.problem};
    }
    const PracticeRow &last = rows_.back();
    const PracticeRow next{last.left * 2, last.right / 2, false};
    std::string mistakes;
    if (!Is(left.value, next.left)) {
        mistakes = Str(last.left) + " × 2 = " + Str(next.left) + ", а не " + NumberToText(left.value) + ".";
    }
    if (!Is(right.value, next.right)) {
        const bool keptTheRemainder = last.right % 2 == 1 && (Is(right.value, next.right + 1) ||
                                                              right.value * 2 == static_cast<double>(last.right));
        if (!mistakes.empty()) {
            mistakes += ' ';
        }
        mistakes += Str(last.right) + " : 2 = " + Str(next.right);
        if (last.right % 2 == 1) {
            mistakes += " и остатък 1.";
            mistakes += keptTheRemainder ? " Остатъкът не се пише — пишем " + Str(next.right) + "."
                                         : " Пишем " + Str(next.right) + ", а не " + NumberToText(right.value) + ".";
        } else {
            mistakes += ", а не " + NumberToText(right.value) + ".";
        }
    }
    if (mistakes.empty()) {
        AddRow(next);
        return Right(stage_ == Stage::Rows ? "Вярно! " + Hint()
                                           : "Вярно! Числото вдясно стана 1: таблицата е готова. " + Hint());
    }
    return Wrong(mistakes, [this, next] {
        AddRow(next);
        return "Правилният ред е " + Str(next.left) + " и " + Str(next.right) + ". Записах го вместо теб. " + Hint();
    });
}

Feedback Exercise::Mark(int row) {
    if (stage_ == Stage::Rows) {
        return {Outcome::NoAnswer, "Първо довърши таблицата: числото вдясно още не е 1."};
    }
    if (row < 0 || row >= static_cast<int>(rows_.size())) {
        return {Outcome::NoAnswer, "Първо избери ред от таблицата, после натисни „В сумата“."};
    }
    PracticeRow &chosen = rows_[static_cast<std::size_t>(row)];
    if (chosen.marked) {
        return {Outcome::NoAnswer, "Ред " + Str(row + 1) + " вече е в сумата."};
    }
    if (chosen.right % 2 == 0) {
        std::string text = Str(chosen.right) + " е четно число: ред " + Str(row + 1) + " не влиза в сумата.";
        if (stage_ != Stage::Marks) {
            return {Outcome::NoAnswer, text};
        }
        return Wrong(text, [this] {
            std::vector<std::string> odd;
            for (std::size_t each = 0; each < rows_.size(); ++each) {
                if (rows_[each].right % 2 == 1) {
                    rows_[each].marked = true;
                    odd.push_back(Str(static_cast<std::int64_t>(each) + 1));
                }
            }
            stage_ = Stage::Product;
            return std::string(odd.size() == 1 ? "В сумата влиза само ред " : "В сумата влизат редове ") +
                   ListInWords(odd) + ": числото вдясно там е нечетно. Отбелязах ги вместо теб. " + Hint();
        });
    }
    chosen.marked = true;
    const std::string right =
        "Вярно: " + Str(chosen.right) + " е нечетно число, ред " + Str(row + 1) + " влиза в сумата.";
    if (const int left = Unmarked(); left > 0) {
        return {Outcome::Right, right + (left == 1 ? " Остава още един ред." : " Остават още " + Str(left) + " реда.")};
    }
    stage_ = Stage::Product;
    return Right(right + " " + Hint());
}

Feedback Exercise::EnterProduct(std::string_view text) {
    if (stage_ == Stage::Done) {
        return {Outcome::NoAnswer, Hint()};
    }
    if (stage_ != Stage::Product) {
        return {Outcome::NoAnswer, "Първо " + std::string(stage_ == Stage::Rows ? "довърши таблицата." : "") +
                                       (stage_ == Stage::Marks ? "отбележи редовете, които влизат в сумата." : "")};
    }
    const Typed product = ReadTyped(text, "за произведението");
    if (!product.problem.empty()) {
        return {Outcome::NoAnswer, product.problem};
    }
    std::vector<std::string> addends;
    for (const PracticeRow &row : rows_) {
        if (row.marked) {
            addends.push_back(Str(row.left));
        }
    }
    const std::string sum = Join(addends, " + ");
    const auto done = [this, &sum, &addends] {
        stage_ = Stage::Done;
        const std::string worked = addends.size() > 1 ? sum + " = " + Str(Product()) : Str(Product());
        return Str(task_.first) + " × " + Str(task_.second) + " = " + worked + ".";
    };
    if (Is(product.value, Product())) {
        return Right("Браво! " + done());
    }
    const std::string wrong = addends.size() > 1
                                  ? sum + " не прави " + NumberToText(product.value) + "."
                                  : "В сумата е само " + sum + ", а не " + NumberToText(product.value) + ".";
    return Wrong(wrong, [&done] { return "Ето сметката: " + done(); });
}

std::string Exercise::Hint() const {
    const PracticeRow &last = rows_.back();
    switch (stage_) {
    case Stage::Rows:
        return "Напиши следващия ред: вляво " + Str(last.left) + " × 2, вдясно " + Str(last.right) +
               " : 2 без остатъка.";
    case Stage::Marks:
        return "Сега отбележи редовете с нечетно число вдясно: избери ред и натисни „В сумата“.";
    case Stage::Product:
        return "Сега събери числата вляво от отбелязаните редове и напиши произведението.";
    case Stage::Done:
        break;
    }
    return "Задачата е решена. Натисни „Нова задача“ или напиши своя задача.";
}

} // namespace korvanta
