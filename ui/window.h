// SPDX-License-Identifier: MIT
// What the program needs of a backend's windows, whatever the toolkit: a window built
// from a description offers its controls and delivers what the user does to them, by the
// control's array and index; the backend also opens the windows of the main window's
// menu. How a window looks and where it goes on the screen is the backend's business.
#pragma once

#include <cstdint>

#include "calc/controls.h"
#include "ui/control_registry.h"
#include "ui/layout.h"

namespace korvanta {

// What a window delivers, one at a time on the window's thread.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    // A button pressed (a disabled button delivers nothing).
    virtual void Clicked(ControlArray array, std::int16_t index) = 0;
    // The selected row of a list or table changed, whoever changed it.
    virtual void RowChosen(ControlArray array, std::int16_t index) = 0;
    // An entry of the window's menu chosen, or its key pressed.
    virtual void MenuChosen(const MenuEntry &) {}
};

// The main form's handlers take the clicks of its two control arrays.
class FormEventsAdapter final : public WindowEvents {
public:
    explicit FormEventsAdapter(FormEvents &form) : form_(form) {}
    void Clicked(ControlArray array, std::int16_t index) override {
        if (array == ControlArray::Command1) {
            form_.Command1_Click(index);
        }
    }
    void RowChosen(ControlArray array, std::int16_t index) override {
        if (array == ControlArray::List1) {
            form_.List1_Click(index);
        }
    }

private:
    FormEvents &form_;
};

class Window {
public:
    virtual ~Window() = default;
    virtual ControlRegistry &controls() = 0;
    // The handlers that receive what the user does in this window from now on.
    virtual void Connect(WindowEvents &events) = 0;
    // Shows the window's own words again in the language chosen now (calc/texts.h): its
    // title, captions, headings, accessible names, menu and language. The texts of its
    // boxes and rows are the handlers' business.
    virtual void Retranslate() = 0;
};

// The windows opened from the main window's menu.
class WindowHost {
public:
    virtual ~WindowHost() = default;
    // The window of `form`, built hidden from its description the first time it is asked
    // for (nothing is built before), the same one after.
    virtual Window &Build(const FormSpec &form) = 0;
    // Shows a window of Build and brings it to the front, with the keyboard's focus: the
    // first time beside the main window, later where the user left it.
    virtual void Show(Window &window) = 0;
};

} // namespace korvanta
