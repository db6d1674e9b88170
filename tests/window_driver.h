// SPDX-License-Identifier: MIT
// What a test needs of a window backend: its controls, and the hand of a user who
// clicks buttons, picks list rows and types. Each backend's tests supply a driver;
// the same contract tests then run against every backend.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "calc/controls.h"
#include "ui/layout.h"

namespace korvanta::testing {

class WindowDriver {
public:
    virtual ~WindowDriver() = default;
    virtual FormControls &controls() = 0;
    // Routes the window's clicks to `events` from now on.
    virtual void Connect(FormEvents &events) = 0;
    // A user's click on a Command1 element: a disabled button delivers nothing.
    virtual void ClickButton(std::int16_t index) = 0;
    // A user's click on a row of a List1 element.
    virtual void SelectRow(std::int16_t list, std::int16_t row) = 0;
    // A user replacing the text of a Text1 or Text2 element.
    virtual void Type(ControlArray array, std::int16_t index, std::string_view text) = 0;
    // The caption or text that the control shows.
    virtual std::string Caption(ControlArray array, std::int16_t index) = 0;
};

// Every row of a list, top to bottom.
inline std::vector<std::string> Rows(const ListBox &list) {
    std::vector<std::string> rows;
    for (std::int16_t row = 0; row < list.ListCount(); ++row) {
        rows.push_back(list.List(row));
    }
    return rows;
}

// Remembers every click a window delivers, with the index of the element that raised it.
struct RecordedClicks final : FormEvents {
    void Command1_Click(std::int16_t index) override { commands.push_back(index); }
    void List1_Click(std::int16_t index) override { lists.push_back(index); }
    std::vector<std::int16_t> commands;
    std::vector<std::int16_t> lists;
};

using DriverFactory = std::function<std::unique_ptr<WindowDriver>()>;

struct NamedDriverFactory {
    std::string name;
    DriverFactory make;
    friend void PrintTo(const NamedDriverFactory &value, std::ostream *out) { *out << value.name; }
};

} // namespace korvanta::testing
