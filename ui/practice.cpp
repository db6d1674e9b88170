// SPDX-License-Identifier: MIT
#include "ui/practice.h"

#include <array>
#include <memory>
#include <random>
#include <string_view>

#include "calc/explanation.h"
#include "calc/texts.h"

namespace korvanta {
namespace {

constexpr std::array<std::string_view, 3> kLevels{N_("лесно"), N_("средно"), N_("трудно")};
constexpr std::string_view kInTheSum = N_("да");

std::string Str(std::int64_t value) { return std::to_string(value); }

Level ChosenLevel(ListBox &levels) {
    switch (levels.ListIndex()) {
    case 1:
        return Level::Medium;
    case 2:
        return Level::Hard;
    default:
        return Level::Easy;
    }
}

} // namespace

Random SystemRandom() {
    auto engine = std::make_shared<std::mt19937_64>(std::random_device{}());
    return [engine](std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(*engine);
    };
}

Practice::Practice(ControlRegistry &own, Random random)
    : own_(own), random_(std::move(random)), exercise_(RandomTask(Level::Easy, random_)) {
    ShowLevels(0);
    Start(exercise_.task(), N_("Здравей! Задачата е %1$s × %2$s. Първият ред е готов: това са двете числа."));
}

void Practice::ShowLevels(std::int16_t chosen) {
    ListBox &levels = own_.List(ControlArray::PracticeLevel, 0);
    levels.Clear();
    for (std::string_view level : kLevels) {
        levels.AddItem(Tr(level));
    }
    levels.SetListIndex(chosen);
}

void Practice::Retranslate() {
    ShowLevels(own_.List(ControlArray::PracticeLevel, 0).ListIndex());
    ShowRows();
    Show();
}

void Practice::Start(Task task, std::string_view opening) {
    exercise_ = Exercise(task);
    own_.Text(ControlArray::PracticeTask, 0).SetText(Str(task.first));
    own_.Text(ControlArray::PracticeTask, 1).SetText(Str(task.second));
    for (int entry = 0; entry <= 2; ++entry) {
        own_.Text(ControlArray::PracticeEntry, entry).SetText("");
    }
    ShowRows();
    const std::string first = Str(task.first);
    const std::string second = Str(task.second);
    const Words hint = exercise_.Hint();
    Say([opening, first, second, hint] { return TrFormat(opening, {first, second}) + " " + hint(); });
    own_.Text(ControlArray::PracticeEntry, 0).Focus();
}

void Practice::ShowRows() {
    ListBox &table = own_.List(ControlArray::PracticeRows, 0);
    const std::int16_t chosen = table.ListIndex();
    table.Clear();
    const auto rows = exercise_.rows();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::array cells{Str(static_cast<std::int64_t>(row) + 1), Str(rows[row].left), Str(rows[row].right),
                               std::string(rows[row].marked ? Tr(kInTheSum) : "")};
        table.AddItem(Join(cells, "\t"));
    }
    table.SetListIndex(chosen);
}

// The feedback, and below it the counts so far, kept to be said again in another language.
void Practice::Say(Words words) {
    const std::string steps = Str(exercise_.steps());
    const std::string first = Str(exercise_.rightAtFirstTry());
    const std::string mistakes = Str(exercise_.mistakes());
    said_ = [words = std::move(words), steps, first, mistakes] {
        return words() + "\r\n" +
               TrFormat(N_("Стъпки: %1$s, верни от първия опит: %2$s, грешки: %3$s."), {steps, first, mistakes});
    };
    Show();
}

void Practice::Show() { own_.Text(ControlArray::PracticeFeedback, 0).SetText(said_ ? said_() : std::string()); }

// What an entry did: a row taken (right, or shown after the third try) empties the inputs
// it came from; a wrong one stays there to be corrected.
void Practice::Answered(const Feedback &feedback, ControlArray emptied, int first, int last) {
    if (feedback.outcome == Outcome::Right || feedback.outcome == Outcome::Shown) {
        for (int entry = first; entry <= last; ++entry) {
            own_.Text(emptied, entry).SetText("");
        }
        ShowRows();
    }
    Say(feedback.words);
    own_.Text(emptied, first).Focus();
}

void Practice::Clicked(ControlArray array, std::int16_t index) {
    if (array != ControlArray::PracticeCommand) {
        return;
    }
    switch (index) {
    case kNewTask:
        Start(RandomTask(ChosenLevel(own_.List(ControlArray::PracticeLevel, 0)), random_, exercise_.task()),
              N_("Нова задача. Задачата е %1$s × %2$s. Първият ред е готов: това са двете числа."));
        break;
    case kOwnTask: {
        const TypedTask typed =
            ReadTask(own_.Text(ControlArray::PracticeTask, 0).Text(), own_.Text(ControlArray::PracticeTask, 1).Text());
        if (typed.task) {
            Start(*typed.task, N_("Своя задача. Задачата е %1$s × %2$s. Първият ред е готов: това са двете числа."));
        } else {
            Say(typed.problem);
        }
        break;
    }
    case kCheckRow:
        Answered(exercise_.EnterRow(own_.Text(ControlArray::PracticeEntry, 0).Text(),
                                    own_.Text(ControlArray::PracticeEntry, 1).Text()),
                 ControlArray::PracticeEntry, 0, 1);
        break;
    case kMarkRow: {
        const Feedback feedback = exercise_.Mark(own_.List(ControlArray::PracticeRows, 0).ListIndex());
        ShowRows();
        Say(feedback.words);
        break;
    }
    case kCheckProduct:
        Answered(exercise_.EnterProduct(own_.Text(ControlArray::PracticeEntry, 2).Text()), ControlArray::PracticeEntry,
                 2, 2);
        break;
    default:
        break;
    }
}

} // namespace korvanta
