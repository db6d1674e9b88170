// SPDX-License-Identifier: MIT
// The main window in a web page: every control of the window description made into a
// real page element (page.js) at its place in CSS pixels at 96 DPI, with its text,
// colours and font, and the operations of the control interface on top of them. A page
// shows one window at a time.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "calc/controls.h"
#include "ui/control_registry.h"
#include "ui/layout.h"

namespace korvanta::web {

class WebWindow {
public:
    explicit WebWindow(const FormSpec &form = MainForm());
    ~WebWindow();
    WebWindow(const WebWindow &) = delete;
    WebWindow &operator=(const WebWindow &) = delete;

    FormControls &controls() { return registry_; }
    // The form that receives the clicks of the buttons and lists from now on.
    void Connect(FormEvents &events) { events_ = &events; }

    // What the page reports of the user, by the handle of the element: a click on a
    // button, a row chosen in a list (by mouse, finger or keyboard).
    void Clicked(int element);
    void RowChosen(int element, int row);

    // The id of the page element made for a control: its name and index, "Text2_0".
    static std::string ElementId(const ControlSpec &design);

private:
    class Control;
    class InputBox;
    class MultiLineBox;
    class ListControl;
    class ButtonControl;

    void AddControl(const ControlSpec &design);

    ControlRegistry registry_;
    std::vector<std::unique_ptr<Control>> controls_; // in the order of their handles
    FormEvents *events_ = nullptr;
};

// A colour as CSS writes it: "rgb(255,192,128)".
std::string CssColor(Rgb colour);

} // namespace korvanta::web
