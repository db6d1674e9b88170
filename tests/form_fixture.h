// SPDX-License-Identifier: MIT
// The main form on an in-memory window, with shorthands for what a user does.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backends/memory/memory_window.h"
#include "tests/window_driver.h"
#include "ui/form.h"

namespace korvanta::testing {

class FormTest : public ::testing::Test {
protected:
    FormTest() { window.Connect(form); }

    void Enter(std::string_view first, std::string_view second) {
        window.Type(ControlArray::Text2, 0, first);
        window.Type(ControlArray::Text2, 1, second);
    }
    void Calculate() { window.ClickButton(0); }
    void Clear() { window.ClickButton(1); }

    std::vector<std::string> Column(int index) { return Rows(c().List1(index)); }
    std::string Working() { return c().Text1(0).Text(); }
    std::string Auxiliary() { return c().Text1(1).Text(); }
    bool CalculateEnabled() { return c().Command1(0).Enabled(); }
    FormControls &c() { return window.controls(); }

    MemoryWindow window;
    Korvanta form{window.controls()};
};

} // namespace korvanta::testing
