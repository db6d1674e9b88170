// SPDX-License-Identifier: MIT

#include "calc/exercise.h"

#include <algorithm>
#include <cmath>

#include "calc/conversions.h"
#include "calc/explanation.h"
#include "calc/texts.h"

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

// A sentence in the language chosen when it is shown: a format and the numbers in it.
Words Say(std::string_view format, std::vector<std::string> args = {}) {
    return [format, args = std::move(args)] { return Format(Tr(format), args); };
}

// A sentence that names an input box, in words translated with it.
Words SayOfBox(std::string_view format, std::string_view box) {
    return [format, box] { return TrFormat(format, {Tr(box)}); };
}

// The sentences one after the other, `between` them (a space, or a new line).
Words Then(Words first, Words second, std::string_view between = " ") {
    return [first = std::move(first), second = std::move(second), between] {
        return first() + std::string(between) + second();
    };
}

// A whole number a pupil typed into the box `box`, or why it is not one.
struct Typed {
    double value = 0;
    Words problem; // empty when the box holds a number
};

Typed ReadTyped(std::string_view text, std::string_view box) {
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        return {0, SayOfBox(N_("Полето %1$s е празно: напиши число."), box)};
    }
    if (text.find_first_of("0123456789") == std::string_view::npos) {
        return {0, SayOfBox(N_("В полето %1$s няма число. Пиши само цифри."), box)};
    }
    const double value = TextToNumber(text);
    if (!std::isfinite(value) || std::fabs(value) >= 1e15) {
        return {value, SayOfBox(N_("Числото в полето %1$s е твърде голямо."), box)};
    }
    if (value < 0) {
        return {value, SayOfBox(N_("В таблицата няма отрицателни числа: махни минуса в полето %1$s."), box)};
    }
    return {value, nullptr};
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
    const auto read = [](std::string_view text, std::string_view box, std::int64_t largest,
                         std::optional<std::int64_t> &value) -> Words {
        const Typed typed = ReadTyped(text, box);
        if (typed.problem) {
            return typed.problem;
        }
        if (typed.value < 2 || typed.value > static_cast<double>(largest) || typed.value != std::floor(typed.value)) {
            return [box, largest] {
                return TrFormat(N_("За задача напиши в полето %1$s цяло число от 2 до %2$s."), {Tr(box), Str(largest)});
            };
        }
        value = static_cast<std::int64_t>(typed.value);
        return nullptr;
    };
    std::optional<std::int64_t> a;
    std::optional<std::int64_t> b;
    const Words problems[] = {read(first, N_("за Число 1"), kLargestFirst, a),
                              read(second, N_("за Число 2"), kLargestSecond, b)};
    TypedTask typed;
    for (const Words &problem : problems) {
        if (problem) {
            typed.problem = typed.problem ? Then(typed.problem, problem) : problem;
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
    return TrFormat(N_("%1$s и %2$s"), {Join(parts.first(parts.size() - 1), ", "), parts.back()});
}

std::string Feedback::text() const { return words ? words() : std::string(); }

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

Feedback Exercise::Right(Words words) {
    ++steps_;
    if (tries_ == 0) {
        ++firstTry_;
    }
    tries_ = 0;
    return {Outcome::Right, std::move(words)};
}

Feedback Exercise::Wrong(Words words, const std::function<Words()> &showRight) {
    ++mistakes_;
    if (++tries_ < 3) {
        return {Outcome::Wrong, Then(std::move(words), Say(N_("Опитай пак.")))};
    }
    tries_ = 0;
    ++steps_;
    return {Outcome::Shown, Then(std::move(words), showRight(), "\r\n")};
}

Feedback Exercise::EnterRow(std::string_view leftText, std::string_view rightText) {
    if (stage_ != Stage::Rows) {
        return {Outcome::NoAnswer, Then(Say(N_("Таблицата е готова: числото вдясно вече е 1.")), Hint())};
    }
    const Typed left = ReadTyped(leftText, N_("вляво"));
    const Typed right = ReadTyped(rightText, N_("вдясно"));
    if (left.problem || right.problem) {
        return {Outcome::NoAnswer, left.problem && right.problem ? Then(left.problem, right.problem)
                                   : left.problem                ? left.problem
                                                                 : right.problem};
    }
    const PracticeRow &last = rows_.back();
    const PracticeRow next{last.left * 2, last.right / 2, false};
    Words mistakes;
    const auto add = [&mistakes](Words words) { mistakes = mistakes ? Then(mistakes, words) : words; };
    if (!Is(left.value, next.left)) {
        add(Say(N_("%1$s × 2 = %2$s, а не %3$s."), {Str(last.left), Str(next.left), NumberToText(left.value)}));
    }
    if (!Is(right.value, next.right)) {
        const std::vector<std::string> numbers{Str(last.right), Str(next.right), NumberToText(right.value)};
        const bool keptTheRemainder = last.right % 2 == 1 && (Is(right.value, next.right + 1) ||
                                                              right.value * 2 == static_cast<double>(last.right));
        if (last.right % 2 == 0) {
            add(Say(N_("%1$s : 2 = %2$s, а не %3$s."), numbers));
        } else if (keptTheRemainder) {
            add(Say(N_("%1$s : 2 = %2$s и остатък 1. Остатъкът не се пише — пишем %2$s."), numbers));
        } else {
            add(Say(N_("%1$s : 2 = %2$s и остатък 1. Пишем %2$s, а не %3$s."), numbers));
        }
    }
    if (!mistakes) {
        AddRow(next);
        return Right(stage_ == Stage::Rows
                         ? Then(Say(N_("Вярно!")), Hint())
                         : Then(Say(N_("Вярно! Числото вдясно стана 1: таблицата е готова.")), Hint()));
    }
    return Wrong(mistakes, [this, next] {
        AddRow(next);
        return Then(Say(N_("Правилният ред е %1$s и %2$s. Записах го вместо теб."), {Str(next.left), Str(next.right)}),
                    Hint());
    });
}

Feedback Exercise::Mark(int row) {
    if (stage_ == Stage::Rows) {
        return {Outcome::NoAnswer, Say(N_("Първо довърши таблицата: числото вдясно още не е 1."))};
    }
    if (row < 0 || row >= static_cast<int>(rows_.size())) {
        return {Outcome::NoAnswer, Say(N_("Първо избери ред от таблицата, после натисни „В сумата“."))};
    }
    PracticeRow &chosen = rows_[static_cast<std::size_t>(row)];
    const std::string number = Str(row + 1);
    if (chosen.marked) {
        return {Outcome::NoAnswer, Say(N_("Ред %1$s вече е в сумата."), {number})};
    }
    if (chosen.right % 2 == 0) {
        Words even = Say(N_("%1$s е четно число: ред %2$s не влиза в сумата."), {Str(chosen.right), number});
        if (stage_ != Stage::Marks) {
            return {Outcome::NoAnswer, even};
        }
        return Wrong(even, [this] {
            std::vector<std::string> odd;
            for (std::size_t each = 0; each < rows_.size(); ++each) {
                if (rows_[each].right % 2 == 1) {
                    rows_[each].marked = true;
                    odd.push_back(Str(static_cast<std::int64_t>(each) + 1));
                }
            }
            stage_ = Stage::Product;
            Words which = odd.size() == 1
                              ? Say(N_("В сумата влиза само ред %1$s: числото вдясно там е нечетно. Отбелязах го "
                                       "вместо теб."),
                                    odd)
                              : Words([odd] {
                                    return TrFormat(N_("В сумата влизат редове %1$s: числото вдясно там е нечетно. "
                                                       "Отбелязах ги вместо теб."),
                                                    {ListInWords(odd)});
                                });
            return Then(which, Hint());
        });
    }
    chosen.marked = true;
    const Words right = Say(N_("Вярно: %1$s е нечетно число, ред %2$s влиза в сумата."), {Str(chosen.right), number});
    if (const int left = Unmarked(); left > 0) {
        return {Outcome::Right, Then(right, left == 1 ? Say(N_("Остава още един ред."))
                                                      : Say(N_("Остават още %1$s реда."), {Str(left)}))};
    }
    stage_ = Stage::Product;
    return Right(Then(right, Hint()));
}

Feedback Exercise::EnterProduct(std::string_view text) {
    if (stage_ == Stage::Done) {
        return {Outcome::NoAnswer, Hint()};
    }
    if (stage_ == Stage::Rows) {
        return {Outcome::NoAnswer, Say(N_("Първо довърши таблицата."))};
    }
    if (stage_ == Stage::Marks) {
        return {Outcome::NoAnswer, Say(N_("Първо отбележи редовете, които влизат в сумата."))};
    }
    const Typed product = ReadTyped(text, N_("за произведението"));
    if (product.problem) {
        return {Outcome::NoAnswer, product.problem};
    }
    std::vector<std::string> addends;
    for (const PracticeRow &row : rows_) {
        if (row.marked) {
            addends.push_back(Str(row.left));
        }
    }
    const std::string sum = Join(addends, " + ");
    const std::string worked = Str(task_.first) + " × " + Str(task_.second) + " = " +
                               (addends.size() > 1 ? sum + " = " : "") + Str(Product()) + ".";
    if (Is(product.value, Product())) {
        stage_ = Stage::Done;
        return Right(Say(N_("Браво! %1$s"), {worked}));
    }
    const Words wrong = addends.size() > 1
                            ? Say(N_("%1$s не прави %2$s."), {sum, NumberToText(product.value)})
                            : Say(N_("В сумата е само %1$s, а не %2$s."), {sum, NumberToText(product.value)});
    return Wrong(wrong, [this, worked] {
        stage_ = Stage::Done;
        return Say(N_("Ето сметката: %1$s"), {worked});
    });
}

Words Exercise::Hint() const {
    const PracticeRow &last = rows_.back();
    switch (stage_) {
    case Stage::Rows:
        return Say(N_("Напиши следващия ред: вляво %1$s × 2, вдясно %2$s : 2 без остатъка."),
                   {Str(last.left), Str(last.right)});
    case Stage::Marks:
        return Say(N_("Сега отбележи редовете с нечетно число вдясно: избери ред и натисни „В сумата“."));
    case Stage::Product:
        return Say(N_("Сега събери числата вляво от отбелязаните редове и напиши произведението."));
    case Stage::Done:
        break;
    }
    return Say(N_("Задачата е решена. Натисни „Нова задача“ или напиши своя задача."));
}

} // namespace korvanta
