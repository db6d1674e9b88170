// SPDX-License-Identifier: MIT
// The handlers of "Practice": a task of the level chosen or one typed by hand, the rows
// the pupil has entered, and the check of each entry (calc/exercise.h), whose words go
// into the feedback box with the counts so far. The window stands on its own: it neither
// reads nor changes the main window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "calc/exercise.h"
#include "ui/window.h"

namespace korvanta {

// Random numbers from the system's source, for the tasks of a running program.
Random SystemRandom();

class Practice final : public WindowEvents {
public:
    // `own` are this window's controls; it starts with a task of the easy level.
    Practice(ControlRegistry &own, Random random);

    // Shows the levels, the rows and the last feedback again in the language chosen now.
    void Retranslate();

    void Clicked(ControlArray array, std::int16_t index) override;
    void RowChosen(ControlArray, std::int16_t) override {}

private:
    void Start(Task task, std::string_view opening);
    void ShowLevels(std::int16_t chosen);
    void ShowRows();
    void Say(Words words);
    void Show();
    void Answered(const Feedback &feedback, ControlArray emptied, int first, int last);

    ControlRegistry &own_;
    Random random_;
    Exercise exercise_;
    Words said_; // the feedback shown, with the counts
};

} // namespace korvanta
