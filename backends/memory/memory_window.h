// SPDX-License-Identifier: MIT
// A window that lives in memory: the controls of a window description as plain data,
// with every rule a real window keeps (rows are appended and never reordered, Clear
// leaves no row selected, a changed selection raises the list's click, a disabled button
// takes no clicks), and a host for the windows of the main window's menu. Tests drive the
// program through it as a user would.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/controls.h"
#include "ui/control_registry.h"
#include "ui/layout.h"
#include "ui/window.h"

namespace korvanta {

class MemoryWindow final : public Window {
public:
    explicit MemoryWindow(const FormSpec &form = MainForm());
    ~MemoryWindow() override;
    MemoryWindow(const MemoryWindow &) = delete;
    MemoryWindow &operator=(const MemoryWindow &) = delete;

    const FormSpec &form() const { return form_; }
    ControlRegistry &controls() override { return registry_; }
    void Connect(WindowEvents &events) override { events_ = &events; }
    void Retranslate() override;
    // The main form's handlers alone, without the rest of the program.
    void Connect(FormEvents &form) {
        adapter_.emplace(form);
        events_ = &*adapter_;
    }

    // What a user does.
    void ClickButton(std::int16_t index); // a Command1 element, if enabled
    void Click(ControlArray array, std::int16_t index);
    void SelectRow(std::int16_t list, std::int16_t row); // a row of a List1 element
    void ChooseRow(ControlArray array, std::int16_t index, std::int16_t row);
    void Type(ControlArray array, std::int16_t index, std::string_view text);
    // Enter in a text box: presses the button the description gives it, if any.
    void PressEnter(ControlArray array, std::int16_t index);
    // The text box given the focus last, or nullptr.
    const ControlSpec *Focused() const;
    // A function key: F1 is 1. Does what the menu entry with that key does, if any.
    void PressFunctionKey(int key);
    // The entry of the window's menu for the language `code`, chosen.
    void ChooseLanguage(std::string_view code);

    // The caption or text a control shows, for any control of the description.
    std::string Caption(ControlArray array, std::int16_t index) const;

private:
    class Control;
    class TextControl;
    class ListControl;
    class CommandControl;
    class LabelControl;

    Control &Find(ControlArray array, std::int16_t index) const;

    const FormSpec &form_;
    ControlRegistry registry_;
    std::vector<std::unique_ptr<Control>> controls_;
    WindowEvents *events_ = nullptr;
    std::optional<FormEventsAdapter> adapter_;
    const Control *focused_ = nullptr;
};

// The windows of the main window's menu, in memory: built when first asked for, shown and
// closed as a user would.
class MemoryHost final : public WindowHost {
public:
    Window &Build(const FormSpec &form) override;
    void Show(Window &window) override;

    // The window of `form` if it has been built.
    MemoryWindow *Built(const FormSpec &form);
    bool Shown(const FormSpec &form) const;
    // The user closes the window (Esc, or its close button).
    void Close(const FormSpec &form);

private:
    struct Entry {
        std::unique_ptr<MemoryWindow> window;
        bool shown = false;
    };
    std::vector<Entry> windows_;
};

} // namespace korvanta
