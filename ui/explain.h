// SPDX-License-Identifier: MIT
// The handlers of "Why it works": the window shows the main window's rows with what each
// tells (calc/explanation.h) and says in words why the sum of the odd rows is the
// product. It reads only the main window's columns and working box, never its inputs;
// before the first row it explains the worked example 24 × 26. A row chosen in either
// window is chosen in both.
#pragma once

#include <cstdint>

#include "calc/controls.h"
#include "ui/window.h"

namespace korvanta {

class WhyItWorks final : public WindowEvents {
public:
    // `main` are the main form's controls, `own` this window's.
    WhyItWorks(FormControls &main, ControlRegistry &own) : main_(main), own_(own) {}

    // Shows what the main window's rows tell now, and chooses the row chosen there.
    void Refresh();
    // Chooses `row` (-1: none), as the main window has.
    void ShowRow(std::int16_t row);

    void Clicked(ControlArray, std::int16_t) override {}
    void RowChosen(ControlArray array, std::int16_t index) override;

private:
    FormControls &main_;
    ControlRegistry &own_;
    bool example_ = true; // the rows shown are the worked example's, not the main window's
};

} // namespace korvanta
