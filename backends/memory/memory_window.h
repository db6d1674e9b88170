// SPDX-License-Identifier: MIT
// A window that lives in memory: the controls of the window description as plain
// data, with every rule a real window keeps (rows are appended and never reordered,
// Clear leaves no row selected, a changed selection raises the list's click, a
// disabled button takes no clicks). Tests drive the form through it as a user would.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "calc/controls.h"
#include "ui/control_registry.h"
#include "ui/layout.h"

namespace korvanta {

class MemoryWindow {
public:
    explicit MemoryWindow(const FormSpec &form = MainForm());
    ~MemoryWindow();
    MemoryWindow(const MemoryWindow &) = delete;
    MemoryWindow &operator=(const MemoryWindow &) = delete;

    FormControls &controls() { return registry_; }
    // The form that receives the clicks.
    void Connect(FormEvents &events) { events_ = &events; }

    // What a user does.
    void ClickButton(std::int16_t index);                // a Command1 element, if enabled
    void SelectRow(std::int16_t list, std::int16_t row); // a row of a List1 element
    void Type(ControlArray array, std::int16_t index, std::string_view text);

    // The caption or text a control shows, for any control of the description.
    std::string Caption(ControlArray array, std::int16_t index) const;

private:
    class Control;
    class TextControl;
    class ListControl;
    class CommandControl;
    class LabelControl;

    Control &Find(ControlArray array, std::int16_t index) const;

    ControlRegistry registry_;
    std::vector<std::unique_ptr<Control>> controls_;
    FormEvents *events_ = nullptr;
};

} // namespace korvanta
