// SPDX-License-Identifier: MIT
// What a test needs of a window backend: its controls, and the hand of a user who
// clicks buttons, picks list rows and types, and opens and closes the windows of the main
// window's menu. Each backend's tests supply a driver; the same contract tests then run
// against every backend.
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
#include "ui/window.h"

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
    // The caption or text that the control shows; for a table its headings, tab-separated.
    virtual std::string Caption(ControlArray array, std::int16_t index) = 0;
};

// A backend's windows under the whole program: the main window and the windows of its menu.
class ProgramDriver : public WindowDriver {
public:
    // The main window as the program sees it, and the host of the other windows.
    virtual Window &main() = 0;
    virtual WindowHost &host() = 0;
    // A user's press of a function key in the main window: 1 for F1.
    virtual void PressFunctionKey(int key) = 0;
    // A user's click on a row of a list or table of any open window.
    virtual void ChooseRow(ControlArray array, std::int16_t index, std::int16_t row) = 0;
    // Whether the window of `form` is built and shown.
    virtual bool Shown(const FormSpec &form) = 0;
    // A user's press of Esc in the window of `form`.
    virtual void PressEscape(const FormSpec &form) = 0;
    // A user's click on any button of an open window: a disabled button delivers nothing.
    virtual void Click(ControlArray array, std::int16_t index) = 0;
    // A user's press of Enter in a text box of an open window.
    virtual void PressEnter(ControlArray array, std::int16_t index) = 0;
    // A user's choice of the language `code` in the main window's menu.
    virtual void ChooseLanguage(std::string_view code) = 0;
};

// Remembers every click a window delivers, with the index of the element that raised it.
struct RecordedClicks final : FormEvents {
    void Command1_Click(std::int16_t index) override { commands.push_back(index); }
    void List1_Click(std::int16_t index) override { lists.push_back(index); }
    std::vector<std::int16_t> commands;
    std::vector<std::int16_t> lists;
};

template <typename Driver> struct NamedFactory {
    std::string name;
    std::function<std::unique_ptr<Driver>()> make;
    friend void PrintTo(const NamedFactory &value, std::ostream *out) { *out << value.name; }
};
using NamedDriverFactory = NamedFactory<WindowDriver>;
using NamedProgramDriverFactory = NamedFactory<ProgramDriver>;

} // namespace korvanta::testing
