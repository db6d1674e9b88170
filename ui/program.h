// SPDX-License-Identifier: MIT
// The program's windows and how they follow one another: the main form takes the main
// window's clicks, and each window of the main window's menu is built on first use. The
// explanation then follows every press of Calculate and Clear, and every row chosen, in
// the same event turn; the practice stands on its own. Toolkit-free: a backend supplies
// the main window and the host of the others.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string_view>

#include "ui/explain.h"
#include "ui/form.h"
#include "ui/practice.h"
#include "ui/window.h"

namespace korvanta {

class Program final : public WindowEvents {
public:
    // Connects itself to `main`, whose clicks it hands to the main form from now on. The
    // practice draws its tasks from `random`.
    Program(Window &main, WindowHost &host, Random random = SystemRandom());

    Korvanta &form() { return form_; }

    void Clicked(ControlArray array, std::int16_t index) override;
    void RowChosen(ControlArray array, std::int16_t index) override;
    void MenuChosen(const MenuEntry &entry) override;

private:
    void SwitchLanguage(std::string_view code);
    static void FollowLanguage(TextBox &box, std::string_view before, std::initializer_list<std::string_view> texts);

    Window &main_;
    WindowHost &host_;
    Korvanta form_;
    Window *explainWindow_ = nullptr; // from the first time it is asked for
    std::unique_ptr<WhyItWorks> explain_;
    Random random_;
    Window *practiceWindow_ = nullptr;
    std::unique_ptr<Practice> practice_;
};

} // namespace korvanta
