// SPDX-License-Identifier: MIT
// The main window on Qt 6 Widgets: every control of the window description made into
// a real widget at its place, with its text, colours and font, and the operations of
// the control interface on top of them. Places and sizes in twips become pixels
// through a logical resolution, so the whole window, fonts included, keeps its
// proportions at any resolution.
#pragma once

#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

#include "calc/controls.h"
#include "ui/control_registry.h"
#include "ui/layout.h"
#include "ui/window.h"

class QFont;
class QIcon;
class QRect;

namespace korvanta {

// The logical resolution of the primary screen in dots per inch (96 without a screen).
int ScreenLogicalDpi();

// A rectangle of the description in pixels at `dpi`.
QRect ToQRect(const TwipRect &rect, int dpi);

// The description's font at `dpi`, sized in pixels like the places.
QFont FormFont(const FontSpec &font, int dpi);

// The program's icon: a hamburger, 32 x 32 pixels.
QIcon ProgramIcon();

class QtWindow final : public QWidget, public Window {
public:
    explicit QtWindow(int dpi = ScreenLogicalDpi(), const FormSpec &form = MainForm());
    ~QtWindow() override;
    QtWindow(const QtWindow &) = delete;
    QtWindow &operator=(const QtWindow &) = delete;

    ControlRegistry &controls() override { return registry_; }
    // The handlers that receive the clicks of the buttons and lists from now on.
    void Connect(WindowEvents &events) override { events_ = &events; }
    // The main form's handlers alone, without the rest of the program.
    void Connect(FormEvents &form) {
        adapter_.emplace(form);
        events_ = &*adapter_;
    }

    // The widget made for an element of a control array, or nullptr when there is none.
    QWidget *Widget(ControlArray array, int index) const;
    int dpi() const { return dpi_; }

    // Shows the window in the middle of its screen's free area.
    void ShowCentred();

private:
    class Control;
    class LineBox;
    class MultiLineBox;
    class ListControl;
    class ButtonControl;

    void AddControl(const ControlSpec &design);
    void ConnectInputs();
    void LinkLabelsAndTabOrder();

    int dpi_;
    ControlRegistry registry_;
    std::vector<std::unique_ptr<Control>> controls_;
    WindowEvents *events_ = nullptr;
    std::optional<FormEventsAdapter> adapter_;
};

} // namespace korvanta
