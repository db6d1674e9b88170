// The main window in a web page: every control of the window description made into a
// real page element (page.js) at its place in CSS pixels at 96 DPI, with its text,
// colours and font, and the operations of the control interface on top of them. A page
// shows one window at a time.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calc/controls.h"
#include "ui/control_registry.h"
#include "ui/layout.h"
#include "ui/window.h"

namespace korvanta::web {

class WebWindow final : public Window {
public:
    explicit WebWindow(const FormSpec &form = MainForm());
    ~WebWindow() override;
    WebWindow(const WebWindow &) = delete;
    WebWindow &operator=(const WebWindow &) = delete;

    ControlRegistry &controls() override { return registry_; }
    // The handlers that receive the clicks of the buttons and lists from now on.
    void Connect(WindowEvents &events) override { events_ = &events; }
    // The main form's handlers alone, without the rest of the program.
    void Connect(FormEvents &form) {
        adapter_.emplace(form);
        events_ = &*adapter_;
    }

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
    WindowEvents *events_ = nullptr;
    std::optional<FormEventsAdapter> adapter_;
};

// A colour as CSS writes it: "rgb(255,192,128)".
std::string CssColor(Rgb colour);

} // namespace korvanta::web
